// Expected figures come from an independent calculation in plain double
// precision (aircalc/tests/reference_values.py): the same textbook formulas,
// the two searches solved by bisection and snapped up to the 0.001 degC grid.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "aircalc/AirCalculator.h"
#include "core/Errors.h"
#include "core/Numbers.h"

namespace vimtal::aircalc {
namespace {

class AirCalculatorTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
};

struct Values {
    double i, x, t, phi, ps, pp, pg, tr, tm, rho;
};
struct Texts {
    std::string i, x, t, phi, ps, pp, pg, tr, tm, rho;
};
struct Case {
    int caseNumber;
    AirTexts input;
    Values values;  // module values after the calculation (phi in percent)
    Texts shown;    // every field as shown afterwards
};

// The cases the reference script wrote (reference_cases.tsv): one a line,
// tab-separated, the case number, the five typed texts, the ten values and
// the ten shown texts.
const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = [] {
        std::vector<Case> read;
        std::ifstream file(AIRCALC_TEST_DATA "/reference_cases.tsv");
        std::string line;
        while (std::getline(file, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::vector<std::string> f;
            std::stringstream cells(line);
            for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
            if (f.size() != 26) throw std::runtime_error("a reference case needs 26 cells: " + line);
            const auto v = [&](int k) { return std::stod(f[static_cast<std::size_t>(k)]); };
            read.push_back({std::stoi(f[0]),
                            {f[1], f[2], f[3], f[4], f[5]},
                            {v(6), v(7), v(8), v(9), v(10), v(11), v(12), v(13), v(14), v(15)},
                            {f[16], f[17], f[18], f[19], f[20], f[21], f[22], f[23], f[24], f[25]}});
        }
        return read;
    }();
    return cases;
}

void ExpectClose(double actual, double expected, const char* what) {
    EXPECT_NEAR(actual, expected, 1e-6 * std::max(1.0, std::fabs(expected))) << what;
}

TEST_F(AirCalculatorTest, EachCaseAgainstIndependentFigures) {
    ASSERT_EQ(Cases().size(), 15u);  // every case of the reference script
    for (const Case& c : Cases()) {
        SCOPED_TRACE("case " + std::to_string(c.caseNumber) + ": i=" + c.input.i + " x=" + c.input.x +
                     " t=" + c.input.t + " phi=" + c.input.phi + " pb=" + c.input.pb);
        AirState s;
        const auto r = Calculate(s, c.input);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->caseNumber, c.caseNumber);

        // Cases 5 and 6 keep phi as a fraction afterwards.
        const double phiPercent = c.caseNumber >= 5 ? 100 * s.phi : s.phi;
        ExpectClose(s.i, c.values.i, "i");
        ExpectClose(s.x, c.values.x, "x");
        ExpectClose(s.t, c.values.t, "t");
        ExpectClose(phiPercent, c.values.phi, "phi");
        ExpectClose(s.ps, c.values.ps, "ps");
        ExpectClose(s.pp, c.values.pp, "pp");
        ExpectClose(s.pg, c.values.pg, "pg");
        ExpectClose(s.tr, c.values.tr, "tr");
        ExpectClose(s.tm, c.values.tm, "tm");
        ExpectClose(s.rho, c.values.rho, "rho");

        // The given fields are never rewritten; the other two are.
        const auto shown = [](const std::optional<std::string>& written, const std::string& given) {
            return written ? *written : given;
        };
        EXPECT_EQ(r->i.has_value(), c.input.i.empty());
        EXPECT_EQ(r->x.has_value(), c.input.x.empty());
        EXPECT_EQ(r->t.has_value(), c.input.t.empty());
        EXPECT_EQ(r->phi.has_value(), c.input.phi.empty());
        EXPECT_EQ(shown(r->i, c.input.i), c.shown.i);
        EXPECT_EQ(shown(r->x, c.input.x), c.shown.x);
        EXPECT_EQ(shown(r->t, c.input.t), c.shown.t);
        EXPECT_EQ(shown(r->phi, c.input.phi), c.shown.phi);
        EXPECT_EQ(r->ps, c.shown.ps);
        EXPECT_EQ(r->pp, c.shown.pp);
        EXPECT_EQ(r->pg, c.shown.pg);
        EXPECT_EQ(r->tr, c.shown.tr);
        EXPECT_EQ(r->tm, c.shown.tm);
        EXPECT_EQ(r->rho, c.shown.rho);
    }
}

TEST_F(AirCalculatorTest, SaturationPressureLaw) {
    EXPECT_EQ(AirCalcSaturationPressure(0), 612.351831623806);
    EXPECT_NEAR(AirCalcSaturationPressure(20), 2336.51034730, 1e-7);
    EXPECT_NEAR(AirCalcSaturationPressure(100), 113396.401618, 1e-5);
    // Odd powers keep their sign below zero.
    EXPECT_NEAR(AirCalcSaturationPressure(-30), 100.527199966, 1e-8);
    EXPECT_NEAR(AirCalcSaturationPressure(-10), 286.455056828, 1e-8);
}

TEST_F(AirCalculatorTest, DewPointUsesTheFitOfEachPressureRange) {
    struct {
        double p, expected;
    } cases[] = {
        {611.0, 13.49679 * std::log(611.0) - 86.07701},     {1147.3, 13.49679 * std::log(1147.3) - 86.07701},
        {1147.31, 15.35703 * std::log(1147.31) - 99.25744}, {1936.0, 15.35703 * std::log(1936.0) - 99.25744},
        {1936.01, 16.45702 * std::log(1936.01) - 107.6405}, {3563.0, 16.45702 * std::log(3563.0) - 107.6405},
        {3563.01, 17.93974 * std::log(3563.01) - 119.8508}, {101325.0, 17.93974 * std::log(101325.0) - 119.8508},
    };
    for (const auto& c : cases) EXPECT_NEAR(DewPoint(c.p), c.expected, 1e-11) << c.p;

    for (const auto& [p, fault] : {std::pair{0.0, FloatFault::DivisionByZero}, {-5.0, FloatFault::InvalidOperation}}) {
        try {
            DewPoint(p);
            ADD_FAILURE() << p;
        } catch (const FloatingPointError& e) {
            EXPECT_EQ(e.Fault(), fault) << p;
        }
    }
}

TEST_F(AirCalculatorTest, DensityOfCaseSixUsesTheHumidityRatioItself) {
    AirState s;
    const auto r = Calculate(s, {"38,5", "", "", "50", "101300"});
    ASSERT_TRUE(r);
    EXPECT_NEAR(s.t, 19.993, 1e-9);
    EXPECT_EQ(*r->t, "20");
    // (1 + x) pb / ((0.622 + x) 462 (t + 273)) with x = 0.0072538.
    EXPECT_NEAR(s.rho, 1.19791, 1e-5);
    EXPECT_EQ(s.rho, (1 + s.x) * s.pb / ((0.622 + s.x) * 462 * (s.t + 273)));
}

TEST_F(AirCalculatorTest, WetBulbSearchStopsAtItsFirstStepForColdAir) {
    // Below the enthalpy of saturated air at -29.999 degC (about -28.6 kJ/kg).
    EXPECT_NEAR(WetBulbSearch(-40, 101300), -29.999, 1e-9);
    // Air at -35 degC with x = 0.0001: i = -34.93 kJ/kg.
    AirState s;
    const auto r = Calculate(s, {"", "0,0001", "-35", "", "101300"});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->tm, "-30");
}

TEST_F(AirCalculatorTest, SearchesEndOnTheFirstGridPointWithFAtOrBelowZero) {
    for (const double i : {-20.0, 0.0, 25.0, 38.5, 90.0, 400.0}) {
        const double tm = WetBulbSearch(i, 101300);
        const auto F = [&](double t) {
            const double ps = AirCalcSaturationPressure(t);
            return i - 0.622 * ps / (101300 - ps) * (2501 + 1.84 * t) - 1.005 * t;
        };
        EXPECT_LE(F(tm), 1e-9) << i;
        EXPECT_GT(F(tm - 0.001), -1e-9) << i;
    }
}

TEST_F(AirCalculatorTest, RecalculationFromTheShownFieldsUsesCaseOne) {
    AirState s;
    const auto first = Calculate(s, {"", "", "20", "50", "101300"});
    ASSERT_TRUE(first);
    EXPECT_EQ(first->caseNumber, 5);
    // The window now shows i and x as well; a second "Oblicz" starts from the
    // rounded i and x.
    const auto second = Calculate(s, {*first->i, *first->x, "20", "50", "101300"});
    ASSERT_TRUE(second);
    EXPECT_EQ(second->caseNumber, 1);
    EXPECT_EQ(*second->t, "20");
    EXPECT_EQ(*second->phi, "50,1");  // the last digit moves
    EXPECT_FALSE(second->i || second->x);
}

TEST_F(AirCalculatorTest, CaseIsChosenByTheFilledFieldsInOrder) {
    struct {
        AirTexts texts;
        int caseNumber;
    } cases[] = {
        {{"1", "1", "1", "1", "1"}, 1}, {{"1", "", "1", "1", "1"}, 2}, {{"", "1", "1", "1", "1"}, 3},
        {{"", "1", "", "1", "1"}, 4},   {{"", "", "1", "1", "1"}, 5},  {{"1", "", "", "1", "1"}, 6},
        {{"1", "1", "", "", ""}, 0},    {{"1", "", "", "", "1"}, 0},   {{"", "", "", "", "1"}, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(SelectCase(c.texts), c.caseNumber);
}

TEST_F(AirCalculatorTest, TooFewFieldsComputeNothingButStillConvert) {
    AirState s;
    EXPECT_FALSE(Calculate(s, {"12", "", "", "", "101300"}));
    EXPECT_EQ(s.i, 12);
    EXPECT_EQ(s.pb, 101300);
    EXPECT_EQ(s.ps, 0);
    EXPECT_FALSE(Calculate(s, {"", "", "20", "50", ""}));
    EXPECT_EQ(s.t, 20);
    EXPECT_EQ(s.ps, 0);
    EXPECT_THROW(Calculate(s, {"", "", "20", "5x", ""}), ConversionError);
}

TEST_F(AirCalculatorTest, ConversionStopsAtTheFirstBadText) {
    AirState s;
    try {
        Calculate(s, {"30", "0.01", "25", "", "101300"});
        ADD_FAILURE();
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "'0.01' is not a valid floating point value.");
    }
    EXPECT_EQ(s.i, 30);  // converted before the bad text
    EXPECT_EQ(s.t, 0);   // never reached
    EXPECT_EQ(s.ps, 0);
}

TEST_F(AirCalculatorTest, VapourPressureAtZeroOrAtPbIsAFloatingPointFault) {
    struct {
        AirTexts texts;
        FloatFault fault;
    } cases[] = {
        {{"", "", "20", "0", "101300"}, FloatFault::DivisionByZero},         // pp = 0: ln 0
        {{"", "0", "20", "", "101300"}, FloatFault::DivisionByZero},         // x = 0
        {{"", "-0,001", "20", "", "101300"}, FloatFault::InvalidOperation},  // pp < 0
        {{"", "0", "", "50", "101300"}, FloatFault::DivisionByZero},         // ps = 0 / 50: ln 0
        {{"", "0,01", "", "0", "101300"}, FloatFault::DivisionByZero},       // pp / 0
        // Saturated air whose vapour pressure is exactly pb.
        {{"", "", "0", "100", "612,351831623806"}, FloatFault::DivisionByZero},
        // 1.005 + 1.84 x = 0.
        {{"10", "-0,546195652173913", "", "", "101300"}, FloatFault::InvalidOperation},
    };
    for (const auto& c : cases) {
        AirState s;
        try {
            Calculate(s, c.texts);
            ADD_FAILURE() << c.texts.x << " " << c.texts.t << " " << c.texts.phi;
        } catch (const FloatingPointError& e) {
            EXPECT_EQ(e.Fault(), c.fault) << c.texts.x << " " << c.texts.t << " " << c.texts.phi;
        } catch (const VimtalError& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

TEST_F(AirCalculatorTest, SearchesThatCannotEndAreRefusedQuickly) {
    struct {
        AirTexts texts;
        std::string start;  // beginning of the message
    } cases[] = {
        {{"", "", "20", "50", "0"}, "Ciśnienie barometryczne pb musi być większe od zera"},
        {{"38,5", "0,007", "", "", "-5"}, "Ciśnienie barometryczne pb musi być większe od zera"},
        {{"38,5", "", "", "50", "0"}, "Ciśnienie barometryczne pb musi być większe od zera"},
        // Saturation pressure above pb from the first step.
        {{"", "", "20", "50", "10"}, "Nie można wyznaczyć temperatury termometru mokrego"},
        {{"38,5", "", "", "50", "10"}, "Nie można wyznaczyć temperatury t z entalpii"},
        // More enthalpy than saturated air holds on the last grid step below
        // pb (about 97.17 degC at 101300 Pa, where x of saturated air is
        // already in the thousands).
        {{"1E9", "", "20", "", "101300"}, "Nie można wyznaczyć temperatury termometru mokrego"},
        {{"1E9", "", "", "50", "101300"}, "Nie można wyznaczyć temperatury t z entalpii"},
        // A negative relative humidity: F grows without end.
        {{"38,5", "", "", "-50", "101300"}, "Nie można wyznaczyć temperatury t z entalpii"},
        // A pressure so high that only the temperature bound stops the search.
        {{"1E6", "", "20", "", "1E30"}, "Nie można wyznaczyć temperatury termometru mokrego"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texts.i + " " + c.texts.x + " " + c.texts.t + " " + c.texts.phi + " " + c.texts.pb);
        AirState s;
        const auto start = std::chrono::steady_clock::now();
        try {
            Calculate(s, c.texts);
            ADD_FAILURE() << "no refusal";
        } catch (const NoticeError& e) {
            EXPECT_EQ(e.Title(), "Vimtal info");
            EXPECT_EQ(std::string(e.what()).rfind(c.start, 0), 0u) << e.what();
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    }
}

TEST_F(AirCalculatorTest, LockingFollowsThePairsOfFilledFields) {
    using L = std::array<bool, 4>;
    struct {
        int changed;
        L filled;
        L locked;
    } cases[] = {
        {0, {true, true, false, false}, {false, false, true, true}},  // i, x: lock t, phi
        {1, {true, true, false, false}, {false, false, true, true}},
        {2, {false, false, true, true}, {true, true, false, false}},  // t, phi: lock i, x
        {3, {true, false, false, true}, {false, true, true, false}},  // i, phi: lock x, t
        {0, {true, false, false, false}, {false, false, false, false}},
        {0, {false, true, true, true}, {false, false, false, false}},  // i emptied
        // Three filled: every field but the changed one (a later change of
        // another field locks that one too).
        {2, {true, true, true, false}, {true, true, false, true}},
        {1, {false, true, true, false}, {true, false, false, true}},
    };
    for (const auto& c : cases) EXPECT_EQ(FieldsToLock(c.changed, c.filled), c.locked) << c.changed;
}

// Random and extreme texts: every calculation ends, with a result or with one
// of the program's own errors, and none takes long.
TEST_F(AirCalculatorTest, AnyTypedTextEndsWithAResultOrAnError) {
    const std::vector<std::string> texts = {
        "",       "",       "",         "0",     "-0",  "20", "-20", "50",   "100", "0,01", "38,5", "101300", "1E300",
        "-1E300", "1E-300", "4,9E-324", "1E400", "abc", "-",  "1.5", "  7 ", "1E6", "-1E6", "10",   "5000",   "0,5"};
    std::mt19937 random(77);
    std::uniform_int_distribution<std::size_t> pick(0, texts.size() - 1);
    int results = 0, errors = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < 400; ++n) {
        AirState s;
        const AirTexts input{texts[pick(random)], texts[pick(random)], texts[pick(random)], texts[pick(random)],
                             n % 3 ? "101300" : texts[pick(random)]};
        try {
            if (Calculate(s, input)) ++results;
        } catch (const VimtalError&) {
            ++errors;
        }
    }
    EXPECT_GT(results, 0);
    EXPECT_GT(errors, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

// The saturation law is a fit over liquid water from 0 to 100 degC and air
// holds no more vapour than at saturation: each bound gives a note only when
// the state lies beyond it.
TEST_F(AirCalculatorTest, NotesOnTheTemperatureAndHumidityBounds) {
    struct Case {
        double t, rh;
        std::vector<std::string> starts;  // each note's opening words
    } cases[] = {
        {20, 50, {}},
        {0, 100, {}},  // on both bounds
        {100, 0, {}},
        {-0.001, 50, {"Temperatura t = -0,001 °C jest niższa od 0 °C"}},
        {-20, 50, {"Temperatura t = -20 °C jest niższa od 0 °C"}},
        {100.001, 50, {"Temperatura t = 100,001 °C jest wyższa od 100 °C"}},
        {20, 100.001, {"Wilgotność względna φ = 100,001 % jest większa od 100 %"}},
        {-5, 130, {"Temperatura t = -5 °C jest niższa od 0 °C", "Wilgotność względna φ = 130 % jest większa"}},
    };
    for (const Case& c : cases) {
        const Notes notes = AssumptionNotes(c.t, c.rh);
        ASSERT_EQ(notes.size(), c.starts.size()) << c.t << " " << c.rh;
        for (std::size_t k = 0; k < notes.size(); ++k) {
            EXPECT_EQ(notes[k].rfind(c.starts[k], 0), 0u) << notes[k];
        }
    }
}

TEST_F(AirCalculatorTest, EveryCaseNotesTheStateItComputes) {
    struct Case {
        AirTexts texts;
        std::size_t notes;
        const char* contains;
    } cases[] = {
        {{"", "", "20", "50", "101300"}, 0, ""},
        {{"", "", "-20", "50", "101300"}, 1, "nad lodem"},  // t, phi typed
        {{"", "0,03", "20", "", "101300"}, 1, "φ = "},      // x, t: 0,03 kg/kg is far beyond saturation at 20 C
        {{"-10", "0,001", "", "", "101300"}, 1, "niższa od 0 °C"},  // i, x: the temperature computed
        {{"", "0,008", "", "60", "101300"}, 0, ""},                 // x, phi
        {{"60", "", "", "130", "101300"}, 1, "φ = 130 %"},          // i, phi typed above saturation
    };
    for (const Case& c : cases) {
        AirState s;
        const auto r = Calculate(s, c.texts);
        ASSERT_TRUE(r);
        ASSERT_EQ(r->notes.size(), c.notes) << c.texts.t << c.texts.x << c.texts.i;
        if (c.notes) {
            EXPECT_NE(r->notes[0].find(c.contains), std::string::npos) << r->notes[0];
        }
    }
}

}  // namespace
}  // namespace vimtal::aircalc
