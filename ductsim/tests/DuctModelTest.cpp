#include "ductsim/DuctModel.h"

#include "core/AmbientAir.h"
#include "core/Errors.h"
#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace vimtal::ductsim {
namespace {

// The window's defaults with a 0.2 m x 0.2 m duct, 10 m long, 500 m3/h.
InputTexts DefaultCase() {
    InputTexts t = DefaultInputTexts();
    t.flow = "500";
    t.length = "10";
    t.sideA = "0,2";
    t.sideB = "0,2";
    return t;
}

// A number as the user would type it in a comma locale, to 17 digits (every
// double survives the trip).
std::string Typed(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17).ptr;
    std::string text(buffer, end);
    for (char& c : text) {
        if (c == '.') c = ',';
    }
    return text;
}

struct Recorder : SimulationListener {
    std::vector<std::string> events;
    void OutsideAirKnown(const AirState&) override { events.push_back("outside"); }
    void InsideAirKnown(const InsideStart&) override { events.push_back("inside"); }
    void RunStarting() override { events.push_back("run"); }
};

class DuctModelTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }

    std::optional<Results> Simulate(const InputTexts& texts, const StepObserver& observer = {}) {
        return RunSimulation(texts, kWindowT0, messages, listener, observer);
    }

    // The default case changed by `change`, simulated with a fresh listener:
    // the error it raised, or nothing.
    template <typename Error>
    std::optional<Error> Failure(const std::function<void(InputTexts&)>& change) {
        InputTexts t = DefaultCase();
        change(t);
        listener.events.clear();
        try {
            Simulate(t);
        } catch (const Error& e) {
            return e;
        }
        return std::nullopt;
    }

    RecordingMessageSink messages;
    Recorder listener;
};

TEST_F(DuctModelTest, DefaultRectangularDuct) {
    const auto r = Simulate(DefaultCase());
    ASSERT_TRUE(r);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_NEAR(r->velocity, 500.0 / 3600.0 / 0.04, 1e-12);  // 3.47 m/s
    EXPECT_NEAR(r->inside.reynolds, 45400, 100);
    EXPECT_NEAR(r->run.totalTime, 2.88, 0.0001);
    EXPECT_NEAR(static_cast<double>(r->run.steps), 28800, 1);
    EXPECT_NEAR(r->run.finalTemperature, 18.65, 0.005);
    EXPECT_NEAR(r->run.alphaInside, 15.10, 0.005);
    EXPECT_NEAR(r->run.alphaOutside, 4.67, 0.005);
    EXPECT_NEAR(r->run.transmittance, 0.719, 0.0005);
    EXPECT_NEAR(r->run.heatLoss, 227, 0.5);
    // The densities at the two temperatures of the shared moist-air law.
    EXPECT_EQ(r->outside.density, AirDensity(-20, 95, 101300));
    EXPECT_EQ(r->inside.density, AirDensity(20, 35, 101300));
    EXPECT_EQ(listener.events, (std::vector<std::string>{"outside", "inside", "run"}));

    EXPECT_EQ(VelocityText(r->velocity), "3,47");
    EXPECT_EQ(TimeText(r->run.totalTime), "2,88");
    EXPECT_EQ(TemperatureText(r->run.finalTemperature), "18,65");
    EXPECT_EQ(TransmittanceText(r->run.transmittance), "0,719");
}

// The heat lost by the stream equals what passes the wall: U times the wall
// area (rectangular: U per m2 times the perimeter times L; round: U per metre
// of duct times L) times the mean temperature difference. This ties the
// meaning of Ui to the loss of each step (wall area Fz or slice length dx).
TEST_F(DuctModelTest, HeatLossMatchesTheWallTransmission) {
    struct Case {
        DuctShape shape;
        const char* a;
        const char* b;
        double area;          // cross-section, m2
        double wallPerMetre;  // m2 of wall per metre for U per m2, 1 for U per metre
    } cases[] = {
        {DuctShape::Rectangular, "0,2", "0,2", 0.04, 0.8},
        {DuctShape::Rectangular, "0,5", "0,1", 0.05, 1.2},
        {DuctShape::Round, "0,2", "", M_PI * 0.01, 1.0},
        {DuctShape::Round, "0,4", "", M_PI * 0.04, 1.0},
    };
    for (const Case& c : cases) {
        InputTexts t = DefaultCase();
        t.rectangular = c.shape == DuctShape::Rectangular;
        t.sideA = c.a;
        t.sideB = c.b;
        t.timeStep = "0,001";
        const auto r = Simulate(t);
        ASSERT_TRUE(r) << c.a;
        EXPECT_NEAR(r->velocity, 500.0 / 3600.0 / c.area, 1e-9) << c.a;
        const double ti = 20, te = -20, tk = r->run.finalTemperature;
        const double meanDifference = (ti - tk) / std::log((ti - te) / (tk - te));
        const double transmitted = r->run.transmittance * c.wallPerMetre * 10.0 * meanDifference;
        // U varies a little along the duct (the last step's U is reported).
        EXPECT_NEAR(r->run.heatLoss / transmitted, 1.0, 0.01) << c.a << " x " << c.b;
        EXPECT_LT(tk, ti);
        EXPECT_GT(tk, te);
    }
}

TEST_F(DuctModelTest, ResidenceTimeShorterThanTheStepGivesOneStep) {
    InputTexts t = DefaultCase();
    t.length = "0,0001";  // 29 us in the duct
    std::vector<std::pair<double, double>> points;
    const auto r = Simulate(t, [&](double tau, double temp) { points.emplace_back(tau, temp); });
    ASSERT_TRUE(r);
    EXPECT_EQ(r->run.steps, 1);
    EXPECT_EQ(r->run.totalTime, 0.0001);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0], std::make_pair(0.0, 20.0));
    EXPECT_EQ(points[1].first, 0.0001);
}

TEST_F(DuctModelTest, ObserverSeesEveryStepInOrder) {
    InputTexts t = DefaultCase();
    t.timeStep = "0,001";
    std::vector<std::pair<double, double>> points;
    const auto r = Simulate(t, [&](double tau, double temp) { points.emplace_back(tau, temp); });
    ASSERT_TRUE(r);
    ASSERT_EQ(points.size(), static_cast<std::size_t>(r->run.steps) + 1);
    EXPECT_EQ(points.front(), std::make_pair(0.0, 20.0));
    EXPECT_EQ(points.back(), std::make_pair(r->run.totalTime, r->run.finalTemperature));
    for (std::size_t i = 1; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].first - points[i - 1].first, 0.001, 1e-12) << i;
        ASSERT_LT(points[i].second, points[i - 1].second) << i;  // cooling all the way
    }
    // The last step is the first to reach the residence time.
    EXPECT_GE(points.back().first, 2.88);
    EXPECT_LT(points[points.size() - 2].first, 2.88);
}

// Every 4096 steps the run tells its watch tau against tauL; a stop asked
// for ends it with Cancelled at the next check, and unasked the run is the
// same as without a watch.
TEST_F(DuctModelTest, AWatchedRunReportsItsTimeAndStopsWhenAsked) {
    const DuctSimulation simulation(ConvertInputs(DefaultCase()), kWindowT0);  // 28 800 steps
    const double tauL = simulation.geometry().residenceTime;
    RunControl control;
    const RunResult watched = simulation.Run({}, RunWatch(&control, 1, 2));
    EXPECT_EQ(watched.finalTemperature, simulation.Run().finalTemperature);
    // The second half of the work, last told at step 28 672 (7 x 4096).
    EXPECT_NEAR(control.Fraction(), (1 + 28672 * 0.0001 / tauL) / 2, 1e-9);

    RunControl stopped;
    stopped.RequestStop();
    long long steps = -1;  // the observer also sees the start
    EXPECT_THROW(simulation.Run([&](double, double) { ++steps; }, RunWatch(&stopped)), Cancelled);
    EXPECT_EQ(steps, static_cast<long long>(kStepsBetweenChecks));
}

TEST_F(DuctModelTest, WarmerSurroundingsWarmTheAir) {
    InputTexts t = DefaultCase();
    t.ti = "-5";
    t.te = "30";
    t.timeStep = "0,001";
    double previous = -5;
    bool rising = true;
    const auto r = Simulate(t, [&](double, double temp) {
        rising = rising && temp >= previous;
        previous = temp;
    });
    ASSERT_TRUE(r);
    EXPECT_TRUE(rising);
    EXPECT_GT(r->run.finalTemperature, -5);
    EXPECT_LT(r->run.finalTemperature, 30);
    EXPECT_GT(r->run.alphaOutside, 0);  // from |t - te|
    EXPECT_LT(r->run.heatLoss, 0);      // the stream gains heat
}

TEST_F(DuctModelTest, EqualTemperaturesPassNoHeat) {
    InputTexts t = DefaultCase();
    t.te = "20";
    const auto r = Simulate(t);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->run.finalTemperature, 20.0);
    EXPECT_EQ(r->run.heatLoss, 0.0);
    EXPECT_EQ(r->run.alphaOutside, 0.0);
    EXPECT_EQ(r->run.transmittance, 0.0);
    EXPECT_NEAR(r->run.alphaInside, 15.1, 0.2);
}

TEST_F(DuctModelTest, SmallerStepsConverge) {
    double previous = 0;
    for (const char* step : {"0,01", "0,001", "0,0001"}) {
        InputTexts t = DefaultCase();
        t.timeStep = step;
        const auto r = Simulate(t);
        ASSERT_TRUE(r);
        if (previous != 0) {
            EXPECT_NEAR(r->run.finalTemperature, previous, 0.01) << step;
        }
        previous = r->run.finalTemperature;
    }
}

TEST_F(DuctModelTest, EmptyFieldsAreReportedInOrder) {
    using Field = std::string InputTexts::*;
    const struct {
        Field field;
        const char* message;
    } checks[] = {
        {&InputTexts::ti, "Podaj teperaturę początkową powietrza w przewodzie"},
        {&InputTexts::te, "Podaj teperaturę powietrza otaczającego przewód"},
        {&InputTexts::flow, "Podaj objętościowe natężenie przepływu w przewodzie"},
        {&InputTexts::lambda1, "Podaj współczynnik przewodzenia materiału ścianki przewodu"},
        {&InputTexts::delta1, "Podaj grubość ścianki przewodu"},
        {&InputTexts::lambda2, "Podaj współczynnik przewodzenia izolacji przewodu"},
        {&InputTexts::delta2, "Podaj grubość izolacji przewodu"},
        {&InputTexts::length, "Podaj długość rozpatywanego przewodu"},
        {&InputTexts::timeStep, "Podaj długość kroku czasowego"},
        {&InputTexts::phiI, "Podaj wilgotność względną powietrza w kanale"},
        {&InputTexts::phiE, "Podaj wilgotność względną powietrza otaczającego kanał"},
        {&InputTexts::pb, "Podaj ciśnienie atmosferyczne powietrza"},
        {&InputTexts::sideA, "Podaj długość boku A"},
        {&InputTexts::sideB, "Podaj długość boku B"},
    };
    // Emptying the fields from the last check to the first: each time the
    // message is that of the earliest empty field.
    InputTexts t = DefaultCase();
    for (auto it = std::rbegin(checks); it != std::rend(checks); ++it) {
        t.*(it->field) = "";
        EXPECT_EQ(MissingInputMessage(t), std::string(it->message));
    }
    // Each field alone.
    for (const auto& check : checks) {
        InputTexts one = DefaultCase();
        one.*(check.field) = "";
        messages.messages.clear();
        listener.events.clear();
        EXPECT_FALSE(Simulate(one));
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, check.message);
        EXPECT_EQ(messages.messages[0].title, "Vimtal info");
        EXPECT_TRUE(listener.events.empty());
    }
}

TEST_F(DuctModelTest, RoundDuctNeedsOnlyTheDiameter) {
    InputTexts t = DefaultCase();
    t.rectangular = false;
    t.sideB = "";
    EXPECT_EQ(MissingInputMessage(t), std::nullopt);
    t.sideA = "";
    EXPECT_EQ(MissingInputMessage(t), std::string("Podaj średnicę fi przewodu"));
    // The size is the last check.
    t.pb = "";
    EXPECT_EQ(MissingInputMessage(t), std::string("Podaj ciśnienie atmosferyczne powietrza"));
}

TEST_F(DuctModelTest, ConversionComesAfterValidationAndStartsWithTheSizes) {
    struct Case {
        std::function<void(InputTexts&)> change;
        std::string offending;
    } cases[] = {
        // A size and the temperature both wrong: the size is converted first.
        {[](InputTexts& t) { t.sideB = "0.2"; t.ti = "x"; }, "0.2"},
        {[](InputTexts& t) { t.ti = "2O"; t.pb = "abc"; }, "2O"},
        {[](InputTexts& t) { t.timeStep = "1e"; t.phiI = "35%"; }, "1e"},
        {[](InputTexts& t) { t.pb = "101 300"; }, "101 300"},
        // A round duct never converts side B.
        {[](InputTexts& t) { t.rectangular = false; t.sideB = "?"; t.ti = "?!"; }, "?!"},
    };
    for (const Case& c : cases) {
        const auto error = Failure<ConversionError>(c.change);
        ASSERT_TRUE(error) << "no conversion error for " << c.offending;
        EXPECT_EQ(error->Text(), c.offending);
        EXPECT_TRUE(listener.events.empty());
    }
    // An empty field is reported before a wrong text is converted.
    InputTexts t = DefaultCase();
    t.ti = "x";
    t.pb = "";
    EXPECT_FALSE(Simulate(t));
    EXPECT_EQ(messages.messages.back().text, "Podaj ciśnienie atmosferyczne powietrza");
}

TEST_F(DuctModelTest, LaminarFlowStopsAfterTheAirProperties) {
    InputTexts t = DefaultCase();
    t.flow = "20";  // Re about 1800
    EXPECT_FALSE(Simulate(t));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Przepływ w przewodzie jest laminarny - Obliczenia przerwane");
    EXPECT_EQ(messages.messages[0].title, "Vimtal info");
    EXPECT_EQ(listener.events, (std::vector<std::string>{"outside", "inside"}));
}

// Re is monotonic in the flow: find the smallest typed flow whose Re reaches
// 2320; it runs and the flow just below it stops as laminar.
TEST_F(DuctModelTest, ReynoldsLimitIsTurbulent) {
    auto reynolds = [](double flow) {
        InputTexts t = DefaultCase();
        t.flow = Typed(flow);
        return DuctSimulation(ConvertInputs(t), kWindowT0).InsideAir().reynolds;
    };
    double low = 10, high = 40;
    ASSERT_LT(reynolds(low), 2320);
    ASSERT_GE(reynolds(high), 2320);
    while (std::nextafter(low, high) != high) {
        const double middle = low + (high - low) / 2;
        if (middle == low || middle == high) break;
        (reynolds(middle) >= 2320 ? high : low) = middle;
    }
    InputTexts t = DefaultCase();
    t.length = "0,01";
    t.flow = Typed(high);
    const double limitRe = reynolds(high);
    EXPECT_LT(limitRe, 2320 * (1 + 1e-14));
    EXPECT_TRUE(Simulate(t)) << "Re = " << Typed(limitRe);
    EXPECT_TRUE(messages.messages.empty());
    t.flow = Typed(low);
    EXPECT_FALSE(Simulate(t));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, kLaminarMessage);
}

TEST_F(DuctModelTest, UnusableTimeStepsAreRefused) {
    struct Case {
        const char* step;
        bool refused;
    } cases[] = {
        {"0", true}, {"-0,0001", true}, {"-1", true}, {"0E5", true},
        {"1E-12", true},       // about 3e12 steps
        {"2,8E-8", true},      // just over 1e8 steps
        {"2,9E-8", false},     // just under 1e8 steps (not run here)
        {"0,0001", false},
    };
    for (const Case& c : cases) {
        InputTexts t = DefaultCase();
        t.timeStep = c.step;
        const Inputs inputs = ConvertInputs(t);
        if (c.refused) {
            try {
                DuctSimulation simulation(inputs, kWindowT0);
                ADD_FAILURE() << c.step << " accepted";
            } catch (const NoticeError& e) {
                EXPECT_EQ(e.Title(), "Vimtal info") << c.step;
                EXPECT_FALSE(std::string(e.what()).empty());
            }
            listener.events.clear();
            EXPECT_THROW(Simulate(t), NoticeError) << c.step;
            EXPECT_TRUE(listener.events.empty()) << c.step;  // refused before any result
        } else {
            EXPECT_NO_THROW(DuctSimulation(inputs, kWindowT0)) << c.step;
        }
    }
}

TEST_F(DuctModelTest, ArithmeticFaults) {
    struct Case {
        const char* what;
        std::function<void(InputTexts&)> change;
        FloatFault fault;
        std::vector<std::string> reported;  // listener events before the fault
    } cases[] = {
        {"zero flow", [](InputTexts& t) { t.flow = "0"; }, FloatFault::DivisionByZero, {}},
        {"zero side", [](InputTexts& t) { t.sideA = "0"; }, FloatFault::DivisionByZero, {}},
        {"zero wall conductivity", [](InputTexts& t) { t.lambda1 = "0"; }, FloatFault::DivisionByZero,
         {"outside", "inside", "run"}},
        {"zero insulation conductivity", [](InputTexts& t) { t.lambda2 = "0"; }, FloatFault::DivisionByZero,
         {"outside", "inside", "run"}},
        {"round wall as thick as the duct",
         [](InputTexts& t) { t.rectangular = false; t.delta1 = "0,2"; }, FloatFault::DivisionByZero,
         {"outside", "inside", "run"}},
        {"round wall thicker than the duct",
         [](InputTexts& t) { t.rectangular = false; t.delta1 = "0,3"; }, FloatFault::InvalidOperation,
         {"outside", "inside", "run"}},
        // Below absolute zero the viscosity law takes the logarithm of a
        // negative number.
        {"surroundings below absolute zero", [](InputTexts& t) { t.te = "-300"; }, FloatFault::InvalidOperation, {}},
    };
    for (const Case& c : cases) {
        const auto error = Failure<FloatingPointError>(c.change);
        ASSERT_TRUE(error) << c.what << ": no fault";
        EXPECT_EQ(error->Fault(), c.fault) << c.what;
        EXPECT_EQ(listener.events, c.reported) << c.what;
    }
}

TEST_F(DuctModelTest, ViscosityReferenceTemperature) {
    // The ambient-air law (reference 273 K) at 20 degC and 1.19727 kg/m3.
    EXPECT_NEAR(KinematicViscosity(20, 1.19727, kChartT0), 1.5308e-5, 1e-9);
    const double window = KinematicViscosity(20, 1.19727, kWindowT0);
    const double chart = KinematicViscosity(20, 1.19727, kChartT0);
    EXPECT_LT(window, chart);
    EXPECT_NEAR(window / chart, std::pow((293.15 / 273.15) / (293.0 / 273.0), 1.5), 1e-12);

    // The chart's run differs from the window's only in the viscosities.
    InputTexts t = DefaultCase();
    const auto windowRun = Simulate(t);
    const auto chartRun = RunSimulation(t, kChartT0, messages, listener);
    ASSERT_TRUE(windowRun && chartRun);
    EXPECT_NE(windowRun->inside.viscosity, chartRun->inside.viscosity);
    EXPECT_NE(windowRun->inside.reynolds, chartRun->inside.reynolds);
    EXPECT_EQ(windowRun->run.finalTemperature, chartRun->run.finalTemperature);
}

TEST_F(DuctModelTest, ResultRounding) {
    struct Case {
        std::string (*format)(double);
        double value;
        const char* text;
    } cases[] = {
        {DensityText, 1.39125, "1,39"},
        {ViscosityText, 1.53084567e-5, "0,000015308"},
        {ViscosityText, 1.1234567e-5, "0,000011235"},
        {ReynoldsText, 45412.3456, "45412,35"},
        {TimeText, 2.88009999, "2,88"},
        {VelocityText, 3.4722222, "3,47"},
        {TemperatureText, -19.996, "-20"},
        {AlphaText, 4.6749, "4,67"},
        {TransmittanceText, 0.71949, "0,719"},
        {TransmittanceText, 2.0, "2"},
        {HeatLossText, 226.98765, "226,99"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.format(c.value), c.text) << c.value;
}

// Schack's equation holds for a duct at least a hundred equivalent
// diameters long; a duct exactly that long is within it.
TEST_F(DuctModelTest, NotesWhenTheDuctIsShorterThanAHundredDiameters) {
    struct Case {
        const char *length, *sideA, *sideB;
        bool round;
        const char* note;  // null: none
    } cases[] = {
        {"10", "0,2", "0,2", false,
         "Długość kanału L = 10 m jest mniejsza niż 100·d = 20 m (d = 0,2 m, średnica zastępcza przewodu): "
         "równanie Schacka dla konwekcji wymuszonej wymaga L ≥ 100·d."},
        {"25", "0,2", "0,2", false, nullptr},
        {"25", "0,25", "", true, nullptr},  // exactly 100 diameters
        {"24,999", "0,25", "", true, "Długość kanału L = 24,999 m jest mniejsza niż 100·d = 25 m"},
        // The equivalent diameter of 0,4 x 0,1 m is 0,16 m.
        {"16", "0,4", "0,1", false, nullptr},
        {"15", "0,4", "0,1", false, "Długość kanału L = 15 m jest mniejsza niż 100·d = 16 m"},
    };
    for (const Case& c : cases) {
        InputTexts t = DefaultCase();
        t.length = c.length;
        t.sideA = c.sideA;
        t.sideB = c.sideB;
        t.rectangular = !c.round;
        t.timeStep = "0,01";
        const auto r = Simulate(t);
        ASSERT_TRUE(r) << c.length;
        if (!c.note) {
            EXPECT_TRUE(r->notes.empty()) << c.length << " " << (r->notes.empty() ? "" : r->notes[0]);
            continue;
        }
        ASSERT_EQ(r->notes.size(), 1u) << c.length;
        EXPECT_EQ(r->notes[0].rfind(c.note, 0), 0u) << r->notes[0];
    }
}

}  // namespace
}  // namespace vimtal::ductsim
