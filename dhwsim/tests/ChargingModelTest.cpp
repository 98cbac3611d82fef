#include "dhwsim/ChargingModel.h"
#include "dhwsim/tests/TankInputs.h"

#include "core/Errors.h"
#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace vimtal::dhwsim {
namespace {

class ChargingModelTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }

    // A 100-litre-class tank (H 0,5 m, D 0,5 m) heated from 10 C.
    static WindowInputs Tank() { return TankInputs("0,5", "0,5", "10", "60"); }

    // Derives m from the power as the window does when the power is typed.
    void Derive(KeptValues& k, const WindowInputs& w) {
        if (w.waterHeating && w.givenSource == SourceQuantity::Power && !w.power.empty()) {
            k.source = PowerToFlow(k.source, {w.initialTemperature, w.supplyTemperature, w.returnTemperature},
                                   &w.power, std::nullopt, sink)
                           .source;
        }
    }

    // Derives m from the power as the window does, then runs.
    RunReport RunWindow(WindowInputs w, SimulationSettings s = {}) {
        Derive(kept, w);
        return RunSimulation(w, s, kept, sink);
    }

    // Prepares as the window's run does, with the values the window keeps.
    std::optional<Inputs> PrepareRun(const WindowInputs& w, const SimulationSettings& s = {}) {
        return Prepare(w, s, Purpose::Run, kept, sink);
    }

    KeptValues kept;
    RecordingMessageSink sink;
};

// Volume of the test tank in dm3, as the model computes it.
const double kTankVolume = 0.5 * (0.5 * 3.1415) * 0.25 * 0.5 * 1000;

TEST_F(ChargingModelTest, WaterDensityAtKnownTemperatures) {
    struct Case {
        double t, rho;
    } cases[] = {{10, 1.00002}, {60, 0.98265}};
    for (const Case& c : cases) EXPECT_NEAR(WaterDensity(c.t), c.rho, 5e-6) << c.t;
    // Lighter as it warms over the range of a charging tank.
    for (double t = 20; t < 95; t += 5) EXPECT_GT(WaterDensity(t), WaterDensity(t + 5)) << t;
}

TEST_F(ChargingModelTest, EmptyBoxesAreRefusedInOrderWithTheirTitles) {
    struct Case {
        std::function<void(WindowInputs&)> change;
        const char* message;
        const char* title;
        bool chartChecksIt;
    } cases[] = {
        {[](WindowInputs& w) { w.height.clear(); }, "Podaj wysokosc zasobnika C.W.U", "VIMTAL info", true},
        {[](WindowInputs& w) { w.diameter.clear(); }, "Podaj srednicę zasobnika C.W.U", "VIMTAL info", true},
        {[](WindowInputs& w) { w.insulation.clear(); }, "Podaj grubosc izolacji zasobnika C.W.U", "VIMTAL info", true},
        {[](WindowInputs& w) { w.insulationConductivity.clear(); },
         "Podaj współczynnik przewodzenia ciepła izolacji", "VIMTAL info", true},
        {[](WindowInputs& w) { w.wallConductivity.clear(); },
         "Podaj współczynnik przewodzenia ciepła zasobnika C.W.U", "VIMTAL info", true},
        {[](WindowInputs& w) { w.airTemperature.clear(); },
         "Podaj temperaturę powietrza otaczającego zasobnik C.W.U", "VIMTAL info", true},
        {[](WindowInputs& w) { w.supplyTemperature.clear(); }, "Podaj temperaturę zasilania źródła ciepła",
         "VIMTAL info", true},
        {[](WindowInputs& w) { w.returnTemperature.clear(); }, "Podaj temperaturę powrotu źródła ciepła",
         "VIMTAL info", true},
        {[](WindowInputs& w) { w.power.clear(); }, "Podaj moc źródła ciepła", "VIMTAL info", false},
        {[](WindowInputs& w) {
             w.powerEntrySelected = false;
             w.givenSource = SourceQuantity::MassFlow;
         },
         "Podaj masowy przepływ źródła ciepła", "VIMTAL info", false},
        {[](WindowInputs& w) { w.targetTemperature.clear(); },
         "Podaj temperaturę do której chcesz ogrzać wode w zasobniku C.W.U.", "Vimtal info", true},
    };
    for (const Case& c : cases) {
        for (Purpose purpose : {Purpose::Run, Purpose::Chart}) {
            WindowInputs w = Tank();
            c.change(w);
            RecordingMessageSink messages;
            KeptValues fresh;
            if (purpose == Purpose::Run || c.chartChecksIt) {
                EXPECT_FALSE(Prepare(w, {}, purpose, fresh, messages)) << c.message;
                ASSERT_EQ(messages.messages.size(), 1u) << c.message;
                EXPECT_EQ(messages.messages[0].text, c.message);
                EXPECT_EQ(messages.messages[0].title, c.title);
            } else {
                // The chart leaves the power boxes to their conversion.
                EXPECT_THROW(Prepare(w, {}, purpose, fresh, messages), ConversionError) << c.message;
                EXPECT_TRUE(messages.messages.empty());
            }
        }
    }
    // Several empty boxes: only the first one is named.
    WindowInputs w = Tank();
    w.diameter.clear();
    w.airTemperature.clear();
    EXPECT_FALSE(RunSimulation(w, {}, kept, sink).prepared);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "Podaj srednicę zasobnika C.W.U");
}

TEST_F(ChargingModelTest, ElectricHeatingNeedsNoSourceTemperaturesButConvertsThem) {
    WindowInputs w = Tank();
    Electric(w);
    w.targetTemperature = "95";  // above the mean source temperature: no ceiling
    const RunReport first = RunSimulation(w, {}, kept, sink);
    EXPECT_EQ(first.stop, Stop::TargetReached);
    EXPECT_TRUE(sink.messages.empty());

    // The supply and return temperatures do not enter the electric power.
    w.supplyTemperature = "40";
    w.returnTemperature = "20";
    EXPECT_EQ(RunSimulation(w, {}, kept, sink).end.t, first.end.t);

    // Not tested for emptiness, but still converted.
    w.supplyTemperature.clear();
    EXPECT_THROW(RunSimulation(w, {}, kept, sink), ConversionError);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ChargingModelTest, ConversionStopsWhereTheTextIsNotANumber) {
    // The values the window keeps are kept as soon as they are read: a text
    // that does not convert leaves those read before it kept, and those
    // after it as they were.
    struct Case {
        std::function<void(WindowInputs&, SimulationSettings&)> change;
        double power, target;  // kept afterwards
    } cases[] = {
        {[](WindowInputs& w, SimulationSettings&) { w.insulationConductivity = "0.025"; }, 10, 60},  // other separator
        {[](WindowInputs& w, SimulationSettings&) { w.targetTemperature = "6O"; }, 12, 60},
        {[](WindowInputs&, SimulationSettings& s) { s.limit = "1e7"; }, 12, 55},  // the limit is an integer
    };
    for (const Case& c : cases) {
        KeptValues k;
        k.source = {10, 0.03, true};
        k.targetTemperature = 60;
        WindowInputs w = Tank();
        w.power = "12";
        w.targetTemperature = "55";
        SimulationSettings s;
        c.change(w, s);
        EXPECT_THROW(RunSimulation(w, s, k, sink), ConversionError);
        EXPECT_EQ(k.source.power, c.power);
        EXPECT_EQ(k.targetTemperature, c.target);
        EXPECT_EQ(k.source.massFlow, 0.03);  // the power is read, the flow kept
    }

    WindowInputs w = Tank();
    w.initialTemperature.clear();  // read before any check
    EXPECT_THROW(RunSimulation(w, {}, kept, sink), ConversionError);
    w = Tank();
    w.timeStep.clear();  // no emptiness check of its own
    EXPECT_THROW(RunSimulation(w, {}, kept, sink), ConversionError);
    w = Tank();
    w.wallThickness = "x";  // read by the run although it takes no part
    EXPECT_THROW(RunSimulation(w, {}, kept, sink), ConversionError);
    Derive(kept, w);
    EXPECT_TRUE(Prepare(w, {}, Purpose::Chart, kept, sink));  // the chart does not read it
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ChargingModelTest, InputsTheFormulasCannotTakeAreRefusedBeforeTheLoop) {
    struct Case {
        std::function<void(WindowInputs&, SimulationSettings&)> change;
        bool refused;
    } cases[] = {
        {[](WindowInputs& w, SimulationSettings&) { w.timeStep = "0"; }, true},  // would never end
        {[](WindowInputs& w, SimulationSettings&) { w.timeStep = "-1"; }, true},
        {[](WindowInputs& w, SimulationSettings&) { w.height = "0"; }, true},  // no volume
        {[](WindowInputs& w, SimulationSettings&) { w.diameter = "0"; }, true},
        {[](WindowInputs& w, SimulationSettings&) { w.diameter = "0,01"; }, true},  // no room for the wall
        {[](WindowInputs& w, SimulationSettings& s) {
             w.diameter = "0,01";
             s.losses = false;  // the wall only matters to the losses
         },
         false},
        {[](WindowInputs& w, SimulationSettings&) { w.insulation = "-5"; }, true},
        {[](WindowInputs& w, SimulationSettings&) { w.insulation = "0"; }, false},  // a bare tank
        {[](WindowInputs& w, SimulationSettings&) { w.insulationConductivity = "0"; }, true},
        {[](WindowInputs& w, SimulationSettings&) { w.wallConductivity = "-60"; }, true},
        {[](WindowInputs& w, SimulationSettings&) { w.targetTemperature = "80,5"; }, true},  // above tm = 80
        {[](WindowInputs& w, SimulationSettings&) { w.targetTemperature = "80"; }, false},   // at tm: passes
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        WindowInputs w = Tank();
        SimulationSettings s;
        s.limit = "100";
        cases[i].change(w, s);
        RecordingMessageSink messages;
        KeptValues fresh;
        Derive(fresh, w);
        EXPECT_EQ(Prepare(w, s, Purpose::Run, fresh, messages).has_value(), !cases[i].refused) << i;
        EXPECT_EQ(messages.messages.size(), cases[i].refused ? 1u : 0u) << i;
        if (cases[i].refused) {
            EXPECT_EQ(messages.messages[0].title, "VIMTAL info") << i;
        }
    }
}

// The most steps a run can take, N / dtau or tau_k / dtau when the target
// time comes first, is known before the run: above a hundred million the
// run and the chart are refused with one message, whatever the target.
TEST_F(ChargingModelTest, RunsOfMoreThanAHundredMillionStepsAreRefused) {
    const std::string tooMany =
        "Symulacja wymagałaby ponad 100 000 000 kroków czasowych - zwiększ długość kroku czasowego symulacji lub "
        "zmniejsz liczbę iteracji";
    struct Case {
        const char* timeStep;
        const char* limit;
        const char* targetTime;  // null: towards the target temperature
        double end;              // RunEnd, s
        bool refused;
    } cases[] = {
        {"1E-9", "10000000", nullptr, 1e7, true},     // 1E16 steps
        {"0,5", "50000000", nullptr, 5e7, false},     // exactly 1E8
        {"0,5", "50000001", nullptr, 50000001, true},
        {"1", "1000000000", nullptr, 1e9, true},      // the target may come early; the limit counts
        {"1", "1000000000", "1000", 1000, false},     // the target time comes first
        {"1E-6", "1000000000", "1000", 1000, true},   // 1E9 steps to the target time
        {"1E-6", "10", "1000", 10, false},            // the limit comes first: 1E7 steps
        {"1", "-5", nullptr, -5, false},              // one step
    };
    for (const Case& c : cases) {
        for (Purpose purpose : {Purpose::Run, Purpose::Chart}) {
            WindowInputs w = Tank();
            w.timeStep = c.timeStep;
            if (c.targetTime) ForTime(w, c.targetTime);
            SimulationSettings s;
            s.limit = c.limit;
            KeptValues k;
            Derive(k, w);
            RecordingMessageSink messages;
            const std::optional<Inputs> in = Prepare(w, s, purpose, k, messages);
            EXPECT_EQ(in.has_value(), !c.refused) << c.timeStep << " " << c.limit;
            if (in) {
                EXPECT_EQ(RunEnd(*in), c.end) << c.timeStep << " " << c.limit;
                EXPECT_TRUE(messages.messages.empty());
                continue;
            }
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0].text, tooMany);
            EXPECT_EQ(messages.messages[0].title, "VIMTAL info");
        }
    }
}

// A run watched by a RunControl reports the simulated time against the end
// of the run and ends with Cancelled at the first check after a stop is
// asked for; unasked, watching changes nothing.
TEST_F(ChargingModelTest, AWatchedRunReportsItsTimeAndStopsWhenAsked) {
    WindowInputs w = Tank();
    ForTime(w, "20000");
    Derive(kept, w);
    const std::optional<Inputs> in = PrepareRun(w);
    ASSERT_TRUE(in);
    RunControl control;
    const Result watched = SimulateWatched(*in, RunWatch(&control));
    const Result plain = Simulate(*in);
    EXPECT_EQ(watched.end.tw, plain.end.tw);
    // Last told after 16 384 of the 20 000 steps.
    EXPECT_DOUBLE_EQ(control.Fraction(), 4.0 * kPollSteps / 20000);

    // The second half of a chart's work.
    RunControl chart;
    SimulateWatched(*in, RunWatch(&chart, 1, 2));
    EXPECT_DOUBLE_EQ(chart.Fraction(), (1 + 4.0 * kPollSteps / 20000) / 2);

    RunControl stopped;
    stopped.RequestStop();
    long long steps = 0;
    EXPECT_THROW(SimulateWatched(*in, RunWatch(&stopped), [&](const State&) { ++steps; }), Cancelled);
    EXPECT_EQ(steps, kPollSteps);
}

TEST_F(ChargingModelTest, OneStepWhenTheTargetIsAlreadyMet) {
    struct Case {
        const char* timeStep;
        const char* target;
        bool targetTime;
        Stop stop;
    } cases[] = {
        {"1", "10", false, Stop::TargetReached},  // at tw0
        {"1", "5", false, Stop::TargetReached},   // below tw0
        {"7", "-40", false, Stop::TargetReached},
        {"1", "0", true, Stop::TimeElapsed},  // a target time of 0
        {"3", "-20", true, Stop::TimeElapsed},
    };
    for (const Case& c : cases) {
        WindowInputs w = Tank();
        w.timeStep = c.timeStep;
        if (c.targetTime) {
            w.targetTemperature.clear();
            ForTime(w, c.target);
        } else {
            w.targetTemperature = c.target;
        }
        int steps = 0;
        Derive(kept, w);
        const std::optional<Inputs> in = PrepareRun(w);
        ASSERT_TRUE(in);
        const Result result = Simulate(*in, [&](const State&) { ++steps; });
        EXPECT_EQ(result.stop, c.stop) << c.target;
        EXPECT_EQ(steps, 1) << c.target;
        EXPECT_EQ(result.end.t, StrToFloat(c.timeStep)) << c.target;
    }
}

TEST_F(ChargingModelTest, TargetReachedInTheStepThatReachesTheLimitCountsAsReached) {
    WindowInputs w = Tank();
    Electric(w);
    const RunReport first = RunSimulation(w, {}, kept, sink);
    ASSERT_EQ(first.stop, Stop::TargetReached);
    const double steps = first.end.t;  // at a step of 1 s
    ASSERT_GT(steps, 100);

    struct Case {
        double limit;
        Stop stop;
        std::size_t messages;
    } cases[] = {{steps, Stop::TargetReached, 0}, {steps - 1, Stop::TargetMissed, 1}, {steps + 1, Stop::TargetReached, 0}};
    for (const Case& c : cases) {
        RecordingMessageSink messages;
        SimulationSettings s;
        s.limit = IntToStr(static_cast<long long>(c.limit));
        const RunReport report = RunSimulation(w, s, kept, messages);
        EXPECT_EQ(report.stop, c.stop) << c.limit;
        EXPECT_EQ(report.openChart, c.stop == Stop::TargetReached) << c.limit;
        ASSERT_EQ(messages.messages.size(), c.messages) << c.limit;
        if (c.messages) {
            EXPECT_EQ(messages.messages[0].text, "Dla zadanych warunków nie osiągnięto wymaganej temperatury");
            EXPECT_EQ(messages.messages[0].title, "VIMTAL info");
            EXPECT_FALSE(report.results.time || report.results.temperature || report.results.draw);
        } else {
            EXPECT_EQ(report.results.time, FloatToStr(steps));
        }
    }
}

TEST_F(ChargingModelTest, TargetAtTheMeanSourceTemperatureIsMissedAtTheLimit) {
    WindowInputs w = Tank();
    w.targetTemperature = "80";
    SimulationSettings s;
    s.limit = "200000";
    const RunReport report = RunWindow(w, s);
    ASSERT_TRUE(report.prepared);
    EXPECT_EQ(report.stop, Stop::TargetMissed);
    EXPECT_EQ(report.end.t, 200000);
    EXPECT_LT(report.end.tw, 80);
    EXPECT_GT(report.end.tw, 79);
    EXPECT_FALSE(report.openChart);
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.back().text, "Dla zadanych warunków nie osiągnięto wymaganej temperatury");
}

TEST_F(ChargingModelTest, WithoutLossesNoHeatIsLostAndTheDrawIsThePowerAlone) {
    WindowInputs w = Tank();
    SimulationSettings s;
    s.losses = false;
    RunWindow(w, s);
    const std::optional<Inputs> in = PrepareRun(w, s);
    ASSERT_TRUE(in);
    double largestLoss = 0;
    const Result result =
        Simulate(*in, [&](const State& state) { largestLoss = std::max(largestLoss, std::fabs(state.El)); });
    EXPECT_EQ(largestLoss, 0.0);
    const State& end = result.end;
    const auto draw = Draw(*in, end);
    ASSERT_TRUE(draw);
    EXPECT_NEAR(*draw, 10.0 / ((end.tw - 10.0) * end.rho * 4.19), 1e-12);
}

TEST_F(ChargingModelTest, NeitherHeatingKindKeepsTheSourceHeatOfTheStart) {
    WindowInputs w = Tank();
    RunWindow(w);  // derives m from 10 kW
    w.waterHeating = false;
    w.targetTemperature = "30";
    const std::optional<Inputs> in = PrepareRun(w);
    ASSERT_TRUE(in);
    const double start = (80.0 - 10.0) * in->m * 4.19 * 1.0;  // kJ per 1 s step
    bool constant = true;
    const Result result =
        Simulate(*in, [&](const State& state) { constant = constant && std::fabs(state.Es - start) < 1e-12; });
    EXPECT_TRUE(constant);
    EXPECT_NEAR(result.end.Es, 10.0, 1e-9);  // the nominal power at tw0
}

TEST_F(ChargingModelTest, WaterWarmerThanTheSourceCools) {
    WindowInputs w = Tank();
    w.initialTemperature = "90";
    ForTime(w, "600");
    w.givenSource = SourceQuantity::MassFlow;
    w.massFlow = "0,05";  // a positive flow of water at 80 C
    const RunReport report = RunSimulation(w, {}, kept, sink);
    EXPECT_EQ(report.stop, Stop::TimeElapsed);
    EXPECT_LT(report.end.tw, 90);
    EXPECT_GT(report.end.tw, 80);
}

TEST_F(ChargingModelTest, WaterAtTheAirTemperatureLosesNothing) {
    WindowInputs w = Tank();
    w.initialTemperature = "20";  // = ta
    RunWindow(w);
    const std::optional<Inputs> in = PrepareRun(w);
    ASSERT_TRUE(in);
    EXPECT_EQ(InitialState(*in).El, 0.0);
    EXPECT_EQ(InitialState(*in).alphaE, 0.0);
    EXPECT_GT(Simulate(*in).end.El, 0.0);  // warmer than the air afterwards
}

TEST_F(ChargingModelTest, ColderThanTheAirTheTankGainsHeat) {
    WindowInputs w = Tank();
    Electric(w);
    w.power = "0";
    ForTime(w, "36000");
    const std::optional<Inputs> in = PrepareRun(w);
    ASSERT_TRUE(in);
    EXPECT_LT(InitialState(*in).El, 0.0);  // a gain while colder than the air
    const Result result = Simulate(*in);
    EXPECT_GT(result.end.tw, 10.0);
    EXPECT_LT(result.end.tw, 20.0);
}

TEST_F(ChargingModelTest, FirstStepMatchesTheHeatBalanceByHand) {
    // Independent evaluation of one step with the textbook fourth powers.
    const double H = 1.2, D = 0.6, diz = 0.05, lIz = 0.04, lWall = 50, ta = 15, tw0 = 12, Q = 7.5, dt = 5;
    WindowInputs w;
    w.initialTemperature = "12";
    w.height = "1,2";
    w.diameter = "0,6";
    w.insulation = "50";
    w.insulationConductivity = "0,04";
    w.wallConductivity = "50";
    w.airTemperature = "15";
    w.timeStep = "5";
    Electric(w);
    w.power = "7,5";
    w.targetTemperature = "60";
    const std::optional<Inputs> in = PrepareRun(w);
    ASSERT_TRUE(in);

    auto loss = [&](double tw) {
        const double ae = 5 * std::pow(std::fabs(tw - ta) / ((ta + 273.15) * D), 0.25);
        const double ai = 39.3 * std::pow(2 / D, 0.25);
        const double R = std::log(D / (D - 0.01)) / (6.283 * lWall) + 1 / (ai * 3.1415 * (D - 0.01)) +
                         std::log((D + diz) / D) / (6.283 * lIz) + 1 / (ae * 3.1415 * (D + diz));
        return 0.001 * dt / R * (1.57075 * D * D + 3.1415 * D * H) * (tw - ta) / ((D + diz) * 3.1415);
    };
    const double V = D * D * 3.1415 * 0.25 * H * 1000;
    EXPECT_NEAR(in->V, V, 1e-12);
    const State start = InitialState(*in);
    EXPECT_NEAR(start.El, loss(tw0), 1e-13 * std::fabs(loss(tw0)));
    EXPECT_LT(start.El, 0.0);
    EXPECT_DOUBLE_EQ(start.Es, Q * dt);

    const double C = V * WaterDensity(tw0) * 4.19;
    const double tw1 = (Q * dt - loss(tw0) + tw0 * C) / C;
    bool first = true;
    double seen = 0;
    const Result result = Simulate(*in, [&](const State& s) {
        if (first) seen = s.tw;
        first = false;
    });
    EXPECT_NEAR(seen, tw1, 1e-12);
    EXPECT_NEAR(result.end.alphaI, 39.3 * std::pow(2 / D, 0.25), 1e-12);
}

TEST_F(ChargingModelTest, ElectricChargingTakesTheHeatOfTheWaterOverThePower) {
    // Without losses the time is the heat stored in the water over the power:
    // V * rho * c * (tk - tw0) / Q, with rho between its values at the ends.
    struct Case {
        const char* power;
        const char* target;
        const char* step;
    } cases[] = {{"10", "60", "1"}, {"3", "45", "1"}, {"24", "90", "10"}};
    for (const Case& c : cases) {
        WindowInputs w = Tank();
        Electric(w);
        w.power = c.power;
        w.targetTemperature = c.target;
        w.timeStep = c.step;
        SimulationSettings s;
        s.losses = false;
        const RunReport report = RunSimulation(w, s, kept, sink);
        ASSERT_EQ(report.stop, Stop::TargetReached);
        const double Q = StrToFloat(c.power), tk = StrToFloat(c.target), dt = StrToFloat(c.step);
        const double rho = (WaterDensity(10) + WaterDensity(tk)) / 2;
        const double expected = kTankVolume * rho * 4.19 * (tk - 10) / Q;
        EXPECT_NEAR(report.end.t, expected, 0.003 * expected + dt) << c.power;
        EXPECT_GE(report.end.tw, tk);
        EXPECT_LT(report.end.tw - tk, Q * dt / (kTankVolume * 0.97 * 4.19));  // overshoot below one step
    }
}

TEST_F(ChargingModelTest, WaterHeatingApproachesTheMeanSourceTemperatureExponentially) {
    // Without losses: tw = tm - (tm - tw0) exp(-m t / (V rho)).
    struct Case {
        const char* power;
        const char* time;
    } cases[] = {{"10", "600"}, {"10", "3600"}, {"25", "1800"}, {"4", "7200"}};
    for (const Case& c : cases) {
        WindowInputs w = Tank();
        w.power = c.power;
        w.targetTemperature.clear();
        ForTime(w, c.time);
        SimulationSettings s;
        s.losses = false;
        const RunReport report = RunWindow(w, s);
        ASSERT_EQ(report.stop, Stop::TimeElapsed);
        const double m = StrToFloat(c.power) / (70 * 4.19);
        const double t = StrToFloat(c.time);
        const double tw = report.end.tw;
        const double rho = (WaterDensity(10) + WaterDensity(tw)) / 2;
        const double expected = 80 - 70 * std::exp(-m * t / (kTankVolume * rho));
        EXPECT_NEAR(tw, expected, 0.01 * (tw - 10)) << c.power << " " << c.time;
        EXPECT_EQ(report.results.temperature, FloatToStr(tw));
        EXPECT_EQ(report.results.time, "");
        EXPECT_EQ(report.results.minutes, "");
        EXPECT_EQ(report.results.hours, "");
        EXPECT_TRUE(report.openChart);
    }
}

TEST_F(ChargingModelTest, WithLossesTheTankSettlesWhereTheLossEqualsThePower) {
    // Electric heating for a long time: the water settles where the loss
    // power (tw - ta) * L / R equals Q; L = area / perimeter.
    const double D = 0.5, H = 0.5, diz = 0.09, ta = 20, Q = 0.02;
    WindowInputs w = Tank();
    Electric(w);
    w.power = "0,02";
    w.timeStep = "20";
    w.targetTemperature.clear();
    ForTime(w, "8000000");
    const RunReport report = RunSimulation(w, {}, kept, sink);
    ASSERT_EQ(report.stop, Stop::TimeElapsed);
    const double tw = report.end.tw;
    const double ae = 5 * std::pow((tw - ta) / ((ta + 273.15) * D), 0.25);
    const double ai = 39.3 * std::pow(2 / D, 0.25);
    const double R = std::log(D / (D - 0.01)) / (6.283 * 60) + 1 / (ai * 3.1415 * (D - 0.01)) +
                     std::log((D + diz) / D) / (6.283 * 0.025) + 1 / (ae * 3.1415 * (D + diz));
    const double L = (1.57075 * D * D + 3.1415 * D * H) / ((D + diz) * 3.1415);
    EXPECT_NEAR((tw - ta) * L / R / 1000, Q, 1e-5);
    EXPECT_GT(tw, 40);  // a well insulated tank: 20 W keep it far above the room
}

TEST_F(ChargingModelTest, DrawIsTheFlowThePowerHeatsLessTheLossPower) {
    // A thinly insulated tank, so that the loss weighs. The loss of a step is
    // turned into a power before it is taken from the nominal power, so the
    // draw does not depend on the time step.
    WindowInputs w = Tank();
    w.insulation = "0";
    double draws[2] = {};
    double lossPower = 0;
    for (int i = 0; i < 2; ++i) {
        w.timeStep = i == 0 ? "1" : "4";
        const RunReport report = RunWindow(w);
        ASSERT_EQ(report.stop, Stop::TargetReached);
        draws[i] = *Draw(report.inputs, report.end);
        EXPECT_EQ(report.results.draw, RoundedDisplay(draws[i], -4));
        lossPower = report.end.El / report.inputs.dtau;
        const State& s = report.end;
        EXPECT_NEAR(draws[i], (10 - lossPower) / ((s.tw - 10) * s.rho * 4.19), 1e-12);
    }
    ASSERT_GT(lossPower, 0.1);  // kW
    EXPECT_NEAR(draws[1], draws[0], 0.003 * draws[0]);

    // Water that did not change temperature has no draw: the box is emptied.
    w = Tank();
    Electric(w);
    w.power = "0";
    w.initialTemperature = "20";
    ForTime(w, "100");
    const RunReport still = RunSimulation(w, {}, kept, sink);
    EXPECT_EQ(still.end.tw, 20.0);
    EXPECT_EQ(still.results.draw, "");
}

TEST_F(ChargingModelTest, TheTargetNotReadKeepsItsValue) {
    WindowInputs w = Tank();
    const RunReport first = RunWindow(w);
    EXPECT_EQ(first.inputs.tk, 60);
    EXPECT_EQ(first.inputs.tauk, 0);
    w.targetTemperatureSelected = false;
    w.targetTemperature = "garbage";  // disabled: not read
    w.targetTime = "120";
    const RunReport second = RunWindow(w);
    EXPECT_EQ(second.inputs.tk, 60);
    EXPECT_EQ(second.inputs.tauk, 120);
    EXPECT_EQ(kept.targetTemperature, 60);
    EXPECT_EQ(kept.targetTime, 120);
}

TEST_F(ChargingModelTest, PowerAndMassFlowExchange) {
    const SourceTexts defaults{"10", "80", "80"};
    struct Case {
        std::string power, flow, powerBack;
    } cases[] = {
        {"10", "0,0340948", "10"},
        {"1,234", "0,0042073", "1,23"},
        {"1,23", "0,0041937", "1,23"},
        {"0", "0", "0"},
    };
    for (const Case& c : cases) {
        const Exchange flow = PowerToFlow({}, defaults, &c.power, std::nullopt, sink);
        ASSERT_FALSE(flow.refused);
        EXPECT_EQ(flow.text, c.flow);
        EXPECT_EQ(flow.source.power, StrToFloat(c.power));
        EXPECT_EQ(flow.source.massFlow, StrToFloat(c.power) / (70 * 4.19)) << c.power;
        const Exchange back = FlowToPower(defaults, flow.text);
        EXPECT_EQ(back.text, c.powerBack);
        EXPECT_EQ(back.source.massFlow, StrToFloat(c.flow));
    }
    // Flow from the kept power when a source temperature changes.
    const std::string ten = "10";
    const Exchange kept10 = PowerToFlow({}, defaults, &ten, std::nullopt, sink);
    EXPECT_EQ(PowerToFlow(kept10.source, {"10", "70", "80"}, nullptr, std::nullopt, sink).text,
              RoundedDisplay(10 / (65 * 4.19), -7));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ChargingModelTest, PowerToFlowRefusals) {
    WindowInputs w = Tank();
    w.targetTemperature = "75";
    RunWindow(w);  // the last run read tk = 75; the flow of 10 kW at 10 C is known
    const double derived = kept.source.massFlow;
    const std::string power = "12";
    const char* kCeiling =
        "Temperatura zasobnika C.W.U nie może by większa od sredniej temperatury zasilania i powrotu";
    const char* kColdSource = "Temperatura początkowa wody musi być niższa od średniej temperatury zasilania i powrotu";
    struct Case {
        SourceTexts texts;
        bool ceilingTest;
        const char* message;  // null: derived
        bool forgotten;       // the stored flow is forgotten, the box emptied
    } cases[] = {
        // Ticking water heating with a last target above the new mean: the
        // flow stays as it was.
        {{"10", "70", "70"}, true, kCeiling, false},
        {{"10", "70", "70"}, false, nullptr, false},
        // A source at the water's temperature delivers nothing at any flow;
        // one below it would need a negative flow.
        {{"80", "80", "80"}, false, kColdSource, true},
        {{"85", "80", "80"}, false, kColdSource, true},
        {{"10", "0", "10"}, false, kColdSource, true},
        {{"79,99", "80", "80"}, false, nullptr, false},
    };
    for (const Case& c : cases) {
        RecordingMessageSink messages;
        const std::optional<double> ceiling =
            c.ceilingTest ? std::optional<double>(kept.targetTemperature) : std::nullopt;
        const Exchange flow = PowerToFlow(kept.source, c.texts, &power, ceiling, messages);
        if (!c.message) {
            EXPECT_FALSE(flow.refused) << c.texts.initialTemperature;
            EXPECT_FALSE(flow.text.empty());
            EXPECT_TRUE(messages.messages.empty());
            EXPECT_GT(flow.source.massFlow, 0);
            EXPECT_TRUE(flow.source.flowKnown);
            continue;
        }
        ASSERT_EQ(messages.messages.size(), 1u) << c.texts.initialTemperature;
        EXPECT_EQ(messages.messages[0].text, c.message);
        EXPECT_EQ(messages.messages[0].title, "VIMTAL info");
        EXPECT_EQ(flow.refused, !c.forgotten);
        if (c.forgotten) {
            EXPECT_EQ(flow.text, "");
            EXPECT_FALSE(flow.source.flowKnown);
            EXPECT_EQ(flow.source.massFlow, 0);
        } else {
            EXPECT_TRUE(flow.source.flowKnown);
            EXPECT_EQ(flow.source.massFlow, derived);
        }
        EXPECT_EQ(flow.source.power, 10);  // the 12 typed is not read: the power of the run stays
    }
    // A flow given as a flow is known at any temperature: it cools a tank
    // hotter than the source, and the power comes out negative.
    const Exchange given = FlowToPower({"85", "80", "80"}, "0,05");
    EXPECT_EQ(given.text, "-1,05");
    EXPECT_TRUE(given.source.flowKnown);
    EXPECT_FALSE(given.sourceAboveWater);
}

// A run needs a source the heat balance can take: a known, non-negative flow
// of heating water, or a non-negative electric power. Refused before the
// first step, with nothing to write; the chart refuses the same way.
TEST_F(ChargingModelTest, SourcesThatCannotBeSimulatedAreRefusedBeforeTheLoop) {
    const char* kNoFlow =
        "Nie wyznaczono masowego przepływu źródła ciepła. Podaj moc źródła ciepła przy temperaturze początkowej "
        "wody niższej od średniej temperatury zasilania i powrotu.";
    const char* kNegativeFlow = "Masowy przepływ źródła ciepła nie może być ujemny";
    const char* kNegativePower = "Moc źródła ciepła nie może być ujemna";
    struct Case {
        const char* what;
        std::function<void(KeptValues&, WindowInputs&)> setUp;
        const char* message;
    } cases[] = {
        {"power typed, never derived", [](KeptValues&, WindowInputs&) {}, kNoFlow},
        {"derived at 10 C, forgotten at 85 C",
         [](KeptValues& k, WindowInputs& w) {
             RecordingMessageSink quiet;
             k.source = PowerToFlow(k.source, {"10", "80", "80"}, &w.power, std::nullopt, quiet).source;
             w.initialTemperature = "85";
             k.source = PowerToFlow(k.source, {"85", "80", "80"}, &w.power, std::nullopt, quiet).source;
         },
         kNoFlow},
        {"negative power turned into a negative flow",
         [](KeptValues& k, WindowInputs& w) {
             RecordingMessageSink quiet;
             w.power = "-10";
             k.source = PowerToFlow(k.source, {"10", "80", "80"}, &w.power, std::nullopt, quiet).source;
         },
         kNegativeFlow},
        {"negative flow typed into its box",
         [](KeptValues&, WindowInputs& w) {
             GivenFlow(w, "-0,01");
         },
         kNegativeFlow},
        {"negative electric power",
         [](KeptValues&, WindowInputs& w) {
             Electric(w);
             w.power = "-3";
         },
         kNegativePower},
        {"zero electric power",
         [](KeptValues&, WindowInputs& w) {
             Electric(w);
             w.power = "0";
         },
         nullptr},
        {"flow typed into its box, none derived",
         [](KeptValues&, WindowInputs& w) {
             GivenFlow(w, "0,03");
         },
         nullptr},
    };
    for (const Case& c : cases) {
        for (Purpose purpose : {Purpose::Run, Purpose::Chart}) {
            WindowInputs w = Tank();
            ForTime(w, "3600");
            KeptValues k;
            c.setUp(k, w);
            RecordingMessageSink messages;
            const bool prepared = Prepare(w, {}, purpose, k, messages).has_value();
            if (!c.message) {
                EXPECT_TRUE(prepared) << c.what;
                EXPECT_TRUE(messages.messages.empty()) << c.what;
                continue;
            }
            EXPECT_FALSE(prepared) << c.what;
            ASSERT_EQ(messages.messages.size(), 1u) << c.what;
            EXPECT_EQ(messages.messages[0].text, c.message) << c.what;
            EXPECT_EQ(messages.messages[0].title, "VIMTAL info") << c.what;
            if (purpose == Purpose::Run) {
                const RunReport report = RunSimulation(w, {}, k, messages);
                EXPECT_FALSE(report.prepared) << c.what;
                EXPECT_FALSE(report.results.temperature) << c.what;
            }
        }
    }
}

TEST_F(ChargingModelTest, AGivenFlowFromASourceColderThanTheTankCoolsItTowardsTheSource) {
    WindowInputs w = Tank();
    w.initialTemperature = "85";
    ForTime(w, "3600");
    const Exchange given = FlowToPower({"85", "80", "80"}, "0,05");
    kept.source = given.source;
    w.power = given.text;  // the window shows the negative power
    const RunReport report = RunSimulation(w, {}, kept, sink);
    ASSERT_TRUE(report.prepared);
    EXPECT_EQ(report.stop, Stop::TimeElapsed);
    const double tw = report.end.tw;
    EXPECT_LT(tw, 85);
    EXPECT_GT(tw, 80);
    // 0,05 kg/s of 80 C water through 98 l at 85 C for an hour: the excess
    // falls by exp(-m c t / (V rho c)) to about 0,8 K above the source.
    EXPECT_NEAR(tw, 80 + 5 * std::exp(-0.05 * 3600 / (kTankVolume * 0.968)), 0.25);
    EXPECT_TRUE(sink.messages.empty());
}

// Every kPollSteps steps a run asks whether to go on, with the simulated
// time; told to stop it ends there, and a stopped run shows nothing.
TEST_F(ChargingModelTest, ARunAsksWhetherToGoOnAndStopsWhenTold) {
    WindowInputs w = Tank();
    w.timeStep = "0,5";
    ForTime(w, "20000");  // 40 000 steps: asked after 4096, 8192, ... 36 864
    Derive(kept, w);
    const std::optional<Inputs> in = PrepareRun(w);
    ASSERT_TRUE(in);
    const Result whole = Simulate(*in);
    ASSERT_EQ(whole.stop, Stop::TimeElapsed);

    for (int stopAt : {1, 4, 9, 10}) {  // 10: never told
        std::vector<double> asked;
        long long steps = 0;
        const Result result = Simulate(
            *in, [&](const State&) { ++steps; },
            [&](double t) {
                asked.push_back(t);
                return static_cast<int>(asked.size()) < stopAt;
            });
        for (std::size_t i = 0; i < asked.size(); ++i) EXPECT_EQ(asked[i], (i + 1) * kPollSteps * 0.5) << stopAt;
        if (stopAt == 10) {
            // Watching changes nothing.
            EXPECT_EQ(asked.size(), 9u);
            EXPECT_EQ(result.stop, whole.stop);
            EXPECT_EQ(result.end.t, whole.end.t);
            EXPECT_EQ(result.end.tw, whole.end.tw);
            EXPECT_EQ(steps, 40000);
            continue;
        }
        EXPECT_EQ(result.stop, Stop::Cancelled) << stopAt;
        EXPECT_EQ(steps, stopAt * kPollSteps) << stopAt;
        EXPECT_EQ(result.end.t, stopAt * kPollSteps * 0.5) << stopAt;
    }

    RecordingMessageSink messages;
    const RunReport cancelled = Conclude(*in, Simulate(*in, IgnoreSteps{}, [](double) { return false; }), messages);
    EXPECT_EQ(cancelled.stop, Stop::Cancelled);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(cancelled.results.time || cancelled.results.temperature || cancelled.results.draw);
    EXPECT_FALSE(cancelled.openChart);
}

// The water-density law holds for liquid water from 0 to 100 C; heating
// water cools on its way through the coil; a run makes at least one step.
// Each assumption gives a note only beyond its bound.
TEST_F(ChargingModelTest, NotesOnTheAssumptionsTheInputsLeave) {
    struct Case {
        std::function<void(WindowInputs&)> change;
        std::vector<std::string> starts;  // each note's opening words
    } cases[] = {
        {[](WindowInputs&) {}, {}},
        {[](WindowInputs& w) { w.initialTemperature = "0"; }, {}},
        {[](WindowInputs& w) { w.initialTemperature = "-0,5"; }, {"Temperatura początkowa wody tw = -0,5 °C leży poza"}},
        // Heating water cannot heat a tank above its mean temperature: an
        // electric heater for the hot tanks.
        {[](WindowInputs& w) {
             Electric(w);
             w.initialTemperature = "100";
         },
         {}},
        {[](WindowInputs& w) {
             Electric(w);
             w.initialTemperature = "100,5";
         },
         {"Temperatura początkowa wody tw = 100,5 °C"}},
        {[](WindowInputs& w) {
             w.supplyTemperature = w.returnTemperature = w.targetTemperature = "100";
         },
         {}},
        {[](WindowInputs& w) {
             w.supplyTemperature = w.returnTemperature = "101";
             w.targetTemperature = "100,5";
         },
         {"Temperatura do osiągnięcia tk = 100,5 °C", "Temperatura zasilania tz = 101 °C",
          "Temperatura powrotu tp = 101 °C"}},
        {[](WindowInputs& w) {
             w.supplyTemperature = "90";
             w.returnTemperature = "70";
         },
         {}},
        {[](WindowInputs& w) {
             w.supplyTemperature = "70";
             w.returnTemperature = "90";
         },
         {"Temperatura zasilania tz = 70 °C jest niższa od temperatury powrotu tp = 90 °C"}},
        // An electric heater has no supply or return.
        {[](WindowInputs& w) {
             Electric(w);
             w.supplyTemperature = "150";
             w.returnTemperature = "160";
         },
         {}},
        {[](WindowInputs& w) { ForTime(w, "1"); }, {}},
        {[](WindowInputs& w) { ForTime(w, "0,5"); }, {"Czas τ = 0,5 s jest krótszy od kroku czasowego dτ = 1 s"}},
        {[](WindowInputs& w) {
             ForTime(w, "5");
             w.timeStep = "10";
         },
         {"Czas τ = 5 s jest krótszy od kroku czasowego dτ = 10 s"}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        WindowInputs w = Tank();
        cases[i].change(w);
        SimulationSettings s;
        s.limit = "1000";
        KeptValues fresh;
        Derive(fresh, w);
        RecordingMessageSink messages;
        const RunReport report = RunSimulation(w, s, fresh, messages);
        ASSERT_TRUE(report.prepared) << i << ": " << (messages.messages.empty() ? "" : messages.messages[0].text);
        ASSERT_EQ(report.notes.size(), cases[i].starts.size()) << i;
        for (std::size_t k = 0; k < report.notes.size(); ++k) {
            EXPECT_EQ(report.notes[k].rfind(cases[i].starts[k], 0), 0u) << report.notes[k];
        }
    }
}

}  // namespace
}  // namespace vimtal::dhwsim

namespace vimtal::dhwsim {
namespace {

TEST_F(ChargingModelTest, FastLossGivesTheSameRunsAsTheTextbookFormula) {
    // Every step's temperature, both ways, over runs that heat, cool through
    // the air temperature and settle.
    struct Case {
        const char *tw0, *H, *D, *diz, *ta, *step, *power, *time;
        bool electric;
    } cases[] = {
        {"10", "0,5", "0,5", "90", "20", "1", "10", "20000", false},
        {"20", "1,2", "0,6", "50", "20", "5", "3", "200000", false},     // starts at the air temperature
        {"70", "0,8", "0,4", "0", "18", "10", "0", "400000", true},      // a bare tank cooling down
        {"5", "2", "0,8", "120", "25", "2", "0,05", "300000", true},     // gaining from the air, then heated
        {"12", "0,3", "0,02", "10", "-15", "1", "0,2", "50000", true},   // a thin pipe in the frost
    };
    for (const Case& c : cases) {
        WindowInputs w;
        w.initialTemperature = c.tw0;
        w.height = c.H;
        w.diameter = c.D;
        w.insulation = c.diz;
        w.airTemperature = c.ta;
        w.timeStep = c.step;
        w.power = c.power;
        w.waterHeating = !c.electric;
        w.electricHeating = c.electric;
        ForTime(w, c.time);
        std::vector<double> tw[2];
        std::vector<double> loss[2];
        for (int textbook = 0; textbook < 2; ++textbook) {
            KeptValues k;
            if (!c.electric) k.source = PowerToFlow({}, {c.tw0, "80", "80"}, &w.power, std::nullopt, sink).source;
            const std::optional<Inputs> in = Prepare(w, {}, Purpose::Run, k, sink);
            ASSERT_TRUE(in);
            auto record = [&](const State& s) {
                tw[textbook].push_back(s.tw);
                loss[textbook].push_back(s.El);
            };
            const Result result =
                textbook == 1 ? Simulate<LossForm::Textbook>(*in, record) : Simulate<LossForm::Fast>(*in, record);
            EXPECT_EQ(result.stop, Stop::TimeElapsed);
        }
        ASSERT_EQ(tw[0].size(), tw[1].size());
        std::size_t differentTemperatures = 0;
        double largestLossDifference = 0;
        for (std::size_t i = 0; i < tw[0].size(); ++i) {
            differentTemperatures += tw[0][i] != tw[1][i];
            largestLossDifference = std::max(largestLossDifference,
                                             std::fabs(loss[0][i] - loss[1][i]) / std::max(1e-300, std::fabs(loss[1][i])));
        }
        EXPECT_EQ(differentTemperatures, 0u) << c.tw0 << " " << c.D;
        EXPECT_LT(largestLossDifference, 1e-14) << c.tw0 << " " << c.D;
        EXPECT_GT(tw[0].size(), 1000u);
    }
}

}  // namespace
}  // namespace vimtal::dhwsim
