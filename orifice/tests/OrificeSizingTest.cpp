// Expected figures come from an independent calculation (orifice/tests/
// reference_values.py): the coefficient equation solved by bisection rather
// than by stepping, snapped up to the 0.00001 grid; bore D*sqrt(eps); sides
// from b = sqrt(F0 / r) rounded up to the 0.1 mm grid.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "core/Numbers.h"
#include "orifice/OrificeSizing.h"

namespace vimtal::orifice {
namespace {

class OrificeSizingTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
};

SizingInput Round(const std::string& dp, const std::string& flow, const std::string& d,
                  Element element = Element::Orifice, const std::string& rho = "1,2") {
    return {rho, dp, flow, d, "", DuctShape::Round, element};
}

SizingInput Rect(const std::string& dp, const std::string& flow, const std::string& a, const std::string& b,
                 Element element = Element::Orifice, const std::string& rho = "1,2") {
    return {rho, dp, flow, a, b, DuctShape::Rectangular, element};
}

struct Case {
    SizingInput input;
    double eps;          // open-area ratio on the 0.00001 grid
    std::string first;   // bore or side A of the orifice [mm]
    std::string second;  // side B [mm], "" for a round duct
    std::string angle;   // damper opening [deg]
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {Round("50", "500", "200"), 0.48397, "139", "", "59"},
        {Rect("50", "500", "300", "200"), 0.32540, "171", "114", "48"},
        {Round("120", "1200", "315", Element::Orifice, "1,19"), 0.34264, "184", "", "49"},
        {Rect("20", "3000", "500", "400"), 0.58783, "383", "307", "66"},
        {Round("300", "150", "100", Element::Orifice, "1,21"), 0.31139, "56", "", "46"},
        {Rect("5", "8000", "1000", "500", Element::Orifice, "1,18"), 0.80131, "895", "448", "79"},
        {Round("80", "200", "125"), 0.43748, "83", "", "56"},
        {Rect("1000", "400", "200", "100"), 0.19538, "89", "44", "36"},
        // Low flow: w*Dh below 0.3, where k is at its minimum region.
        {Round("50", "36", "200"), 0.05815, "48", "", "20"},
        // Exponent form and a pressure no real duct sees.
        {Round("1E6", "500", "200"), 0.00568, "15", "", "6"},
        // Nothing to throttle: the element stays fully open.
        {Round("0", "500", "200"), 1.0, "200", "", "90"},
        {Rect("-10", "500", "300", "200"), 1.0, "300", "200", "90"},
        // Blanks around numbers and a decimal comma are accepted.
        {Round(" 50,0 ", "500", "200,0"), 0.48397, "139", "", "59"},
    };
    return cases;
}

TEST_F(OrificeSizingTest, OrificeAndDamperAgainstIndependentFigures) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.input.pressure + " Pa, " + c.input.flow + " m3/h, " + c.input.sizeA + " x " + c.input.sizeB);
        SizingInput orifice = c.input;
        const SizingResult r = Size(orifice);
        EXPECT_NEAR(r.openRatio, c.eps, 5e-6);  // the same grid point
        EXPECT_EQ(r.firstText, c.first);
        if (c.second.empty()) {
            EXPECT_FALSE(r.secondText.has_value());
        } else {
            ASSERT_TRUE(r.secondText.has_value());
            EXPECT_EQ(*r.secondText, c.second);
        }

        SizingInput damper = c.input;
        damper.element = Element::Damper;
        const SizingResult rd = Size(damper);
        EXPECT_EQ(rd.openRatio, r.openRatio);
        EXPECT_EQ(rd.firstText, c.angle);
        EXPECT_FALSE(rd.secondText.has_value());
    }
}

TEST_F(OrificeSizingTest, IntermediateValuesOfTheWorkedExample) {
    const SizingResult r = Size(Round("50", "500", "200"));
    EXPECT_EQ(r.density, 1.2);
    EXPECT_NEAR(r.velocity, 4.420971, 1e-6);
    EXPECT_EQ(r.hydraulicDiameter, 0.2);
    EXPECT_NEAR(r.correction, 1.049829, 1e-6);
    EXPECT_NEAR(r.correctedPressure, 52.49145, 1e-4);
    EXPECT_NEAR(r.zeta, 4.476124, 1e-6);
    EXPECT_NEAR(r.first, 139.135905, 1e-4);

    const SizingResult rect = Size(Rect("50", "500", "300", "200"));
    EXPECT_NEAR(rect.hydraulicDiameter, 0.24, 1e-15);
    EXPECT_NEAR(rect.velocity, 2.314815, 1e-6);
    EXPECT_NEAR(rect.correction, 0.956948, 1e-6);
    EXPECT_NEAR(rect.zeta, 14.882456, 1e-6);
    // b lands on the 0.1 mm grid; a = 1.5 b.
    EXPECT_NEAR(rect.second, 114.1, 1e-9);
    EXPECT_NEAR(rect.first, 171.15, 1e-9);
}

TEST_F(OrificeSizingTest, CorrectionFollowsTheCosineBetweenItsBounds) {
    // w*Dh = 0.3 m2/s gives the minimum 0.93, 1.5 m2/s the maximum 1.18.
    // Round duct D = 0.2 m: w*Dh = V/3600 * 4/(pi*0.04) * 0.2.
    struct {
        double wDh;
        double k;
    } cases[] = {{0.3, 0.93}, {1.5, 1.18}, {0.9, 1.055}, {2.7, 0.93}};
    for (const auto& c : cases) {
        const double flow = c.wDh / 0.2 * 3.14159265358979323846 * 0.04 / 4 * 3600;
        const SizingResult r = Size(Round("50", FloatToStr(flow), "200"));
        EXPECT_NEAR(r.correction, c.k, 1e-9) << c.wDh;
    }
}

TEST_F(OrificeSizingTest, SearchEndsOnTheFirstGridRatioAtOrBelowZeta) {
    for (const double zeta : {0.5, 4.476124, 14.882456, 1000.0, 1e8}) {
        const double eps = OpenRatioFor(zeta);
        EXPECT_LE(OrificeCoefficient(eps), zeta) << zeta;
        if (eps > 0.00001 + 1e-12) {
            EXPECT_GT(OrificeCoefficient(eps - 0.00001), zeta) << zeta;
        }
    }
    // The coefficient of the smallest grid ratio is about 2.9e10: a larger
    // zeta stops at the first step.
    EXPECT_NEAR(OpenRatioFor(1e12), 0.00001, 1e-20);
    EXPECT_EQ(OpenRatioFor(0.0), 1.0);
    EXPECT_EQ(OpenRatioFor(-5.0), 1.0);
    EXPECT_EQ(OrificeCoefficient(1.0), 0.0);
}

TEST_F(OrificeSizingTest, RepeatedCalculationGivesTheSameResult) {
    for (const Case& c : Cases()) {
        const SizingResult first = Size(c.input);
        const SizingResult second = Size(c.input);
        EXPECT_EQ(first.openRatio, second.openRatio);
        EXPECT_EQ(first.first, second.first);
        EXPECT_EQ(first.second, second.second);
    }
}

TEST_F(OrificeSizingTest, TextsThatAreNotNumbersStopTheCalculation) {
    struct {
        SizingInput input;
        std::string message;
    } cases[] = {
        {Round("", "500", "200"), "'' is not a valid floating point value."},
        {Round("50", "", "200"), "'' is not a valid floating point value."},
        {Round("50", "500", ""), "'' is not a valid floating point value."},
        {Rect("50", "500", "300", ""), "'' is not a valid floating point value."},
        {Round("2.5", "500", "200"), "'2.5' is not a valid floating point value."},
        {Round("50", "5 00", "200"), "'5 00' is not a valid floating point value."},
        {Round("50", "500", "abc"), "'abc' is not a valid floating point value."},
        {Round("50", "500", "200", Element::Orifice, ""), "'' is not a valid floating point value."},
        // Conversion in the order density, pressure, flow, sizes.
        {Round("x", "y", "z", Element::Orifice, "r"), "'r' is not a valid floating point value."},
        {Round("x", "y", "z"), "'x' is not a valid floating point value."},
        {Rect("50", "y", "z", "w"), "'y' is not a valid floating point value."},
        {Rect("50", "500", "z", "w"), "'z' is not a valid floating point value."},
        // Beyond the double range.
        {Round("1E400", "500", "200"), "'1E400' is not a valid floating point value."},
    };
    for (const auto& c : cases) {
        try {
            Size(c.input);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    // A round duct never reads side B.
    EXPECT_EQ(Size({"1,2", "50", "500", "200", "garbage", DuctShape::Round, Element::Orifice}).firstText, "139");
}

TEST_F(OrificeSizingTest, ZeroFlowOrSizeIsAFloatingPointFault) {
    struct {
        SizingInput input;
        FloatFault fault;
    } cases[] = {
        {Round("50", "0", "200"), FloatFault::DivisionByZero},
        {Round("50", "500", "0"), FloatFault::DivisionByZero},
        {Rect("50", "500", "0", "200"), FloatFault::DivisionByZero},
        {Rect("50", "500", "300", "0"), FloatFault::DivisionByZero},
        {Round("50", "500", "200", Element::Orifice, "0"), FloatFault::DivisionByZero},
        // 0 / 0: nothing to throttle and no flow.
        {Round("0", "0", "200"), FloatFault::InvalidOperation},
        // A huge duct makes the velocity underflow to zero.
        {Round("50", "500", "1E300"), FloatFault::DivisionByZero},
        // A tiny duct makes it overflow.
        {Rect("50", "500", "1E-300", "1E-300"), FloatFault::Overflow},
    };
    for (const auto& c : cases) {
        try {
            Size(c.input);
            ADD_FAILURE() << c.input.flow << " " << c.input.sizeA << " " << c.input.sizeB;
        } catch (const FloatingPointError& e) {
            EXPECT_EQ(e.Fault(), c.fault) << c.input.flow << " " << c.input.sizeA << " " << c.input.sizeB;
        }
    }
}

TEST_F(OrificeSizingTest, SideSearchRefusesSizesItCouldNotFinish) {
    struct {
        SizingInput input;
        std::string start;  // beginning of the message
    } cases[] = {
        // Fully open (no pressure to throttle) in a 2 km duct: b would be 2 km.
        {Rect("0", "500", "2000000", "2000000"), "Wymiary kanału są zbyt duże"},
        {Rect("50", "1E12", "1E12", "1E12"), "Wymiary kanału są zbyt duże"},
        // Sides of opposite signs: the product a*b only falls.
        {Rect("50", "500", "-300", "0,05"), "Dla podanych wymiarów kanału nie można"},
    };
    for (const auto& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        try {
            Size(c.input);
            ADD_FAILURE() << c.input.sizeA << " x " << c.input.sizeB;
        } catch (const NoticeError& e) {
            EXPECT_EQ(e.Title(), "Vimtal info");
            EXPECT_EQ(std::string(e.what()).rfind(c.start, 0), 0u) << e.what();
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    }
    // The damper needs no side search, so a huge duct is no problem there.
    EXPECT_EQ(Size(Rect("0", "500", "2000000", "2000000", Element::Damper)).firstText, "90");
    // A duct just inside the limit is still sized (about 9 million steps).
    const SizingResult big = Size(Rect("0", "500", "900000", "900000"));
    EXPECT_NEAR(big.first, 900000, 0.5);
    EXPECT_NEAR(big.second, 900000, 0.5);
}

TEST_F(OrificeSizingTest, SideSearchStopsAtTheFirstGridPointCoveringTheArea) {
    struct {
        double f0, ratio, a, b;
    } cases[] = {
        // The running sums of 0.0001 fall a hair short of 0.2 m after 2000
        // steps, so a fully open 300 x 200 duct gives 300.15 x 200.1 mm.
        {0.06, 1.5, 0.30015, 0.2001}, {0.0195228, 1.5, 0.17115, 0.1141},
        {1e-12, 1.0, 0.0001, 0.0001},  // one step is always taken
        {0.0, 2.0, 0.0002, 0.0001},   {-1.0, 2.0, 0.0002, 0.0001},
    };
    for (const auto& c : cases) {
        const Sides s = OrificeSides(c.f0, c.ratio);
        EXPECT_NEAR(s.a, c.a, 1e-9) << c.f0;
        EXPECT_NEAR(s.b, c.b, 1e-9) << c.f0;
    }
}

// Random and extreme texts: every call ends, either with a result or with
// one of the program's own errors; nothing else escapes and nothing hangs.
TEST_F(OrificeSizingTest, AnyTypedTextEndsWithAResultOrAnError) {
    const std::vector<std::string> texts = {
        "",      "-",     "0",      "-0",     "1",        "50",     "-50",    "200",
        "0,001", "1E308", "-1E308", "1E-308", "4,9E-324", "1E400",  "1e-400", "123456789012345678901234567890",
        "  7  ", "1,5E3", "+3",     "1.5",    "1,2,3",    "abc",    "NaN",    "inf",
        "0x10",  "1E",    "--1",    ",5",     "5,",       "999999", "1E6",    "-1E-6",
        "1E12"};
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> pick(0, texts.size() - 1);
    const auto start = std::chrono::steady_clock::now();
    int results = 0, errors = 0;
    for (int i = 0; i < 600; ++i) {
        SizingInput input{i % 7 == 0 ? texts[pick(random)] : "1,2",
                          texts[pick(random)],
                          texts[pick(random)],
                          texts[pick(random)],
                          texts[pick(random)],
                          i % 2 ? DuctShape::Round : DuctShape::Rectangular,
                          i % 3 ? Element::Orifice : Element::Damper};
        try {
            const SizingResult r = Size(input);
            EXPECT_FALSE(r.firstText.empty());
            EXPECT_GE(r.openRatio, 0.00001 - 1e-12);
            EXPECT_LE(r.openRatio, 1.0);
            ++results;
        } catch (const VimtalError&) {
            ++errors;
        }
    }
    EXPECT_GT(results, 0);
    EXPECT_GT(errors, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace vimtal::orifice
