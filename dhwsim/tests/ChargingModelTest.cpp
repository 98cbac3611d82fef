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
    void Derive(ChargingModel& m, const WindowInputs& w) {
        if (w.waterHeating && !w.massFlowBoxEnabled && !w.power.empty()) {
            m.PowerToFlow({w.initialTemperature, w.supplyTemperature, w.returnTemperature}, &w.power, false, sink);
        }
    }

    // Derives m from the power as the window does, then runs.
    RunReport RunWindow(WindowInputs w, SimulationSettings s = {}) {
        Derive(model, w);
        return model.Run(w, s, sink);
    }

    ChargingModel model;
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
             w.massFlowBoxEnabled = true;
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
            ChargingModel fresh;
            if (purpose == Purpose::Run || c.chartChecksIt) {
                EXPECT_FALSE(fresh.Prepare(w, {}, purpose, messages)) << c.message;
                ASSERT_EQ(messages.messages.size(), 1u) << c.message;
                EXPECT_EQ(messages.messages[0].text, c.message);
                EXPECT_EQ(messages.messages[0].title, c.title);
            } else {
                // The chart leaves the power boxes to their conversion.
                EXPECT_THROW(fresh.Prepare(w, {}, purpose, messages), ConversionError) << c.message;
                EXPECT_TRUE(messages.messages.empty());
            }
        }
    }
    // Several empty boxes: only the first one is named.
    WindowInputs w = Tank();
    w.diameter.clear();
    w.airTemperature.clear();
    EXPECT_FALSE(model.Run(w, {}, sink).prepared);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "Podaj srednicę zasobnika C.W.U");
}

TEST_F(ChargingModelTest, ElectricHeatingNeedsNoSourceTemperaturesButConvertsThem) {
    WindowInputs w = Tank();
    Electric(w);
    w.targetTemperature = "95";  // above the mean source temperature: no ceiling
    const RunReport first = model.Run(w, {}, sink);
    EXPECT_EQ(first.stop, Stop::TargetReached);
    EXPECT_TRUE(sink.messages.empty());
    const double t = model.state().t;

    // The supply and return temperatures do not enter the electric power.
    w.supplyTemperature = "40";
    w.returnTemperature = "20";
    model.Run(w, {}, sink);
    EXPECT_EQ(model.state().t, t);

    // Not tested for emptiness, but still converted.
    w.supplyTemperature.clear();
    EXPECT_THROW(model.Run(w, {}, sink), ConversionError);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ChargingModelTest, ConversionStopsWhereTheTextIsNotANumber) {
    WindowInputs w = Tank();
    w.height = "0,75";
    w.diameter = "0,6";
    w.insulationConductivity = "0.025";  // the other separator
    EXPECT_THROW(model.Run(w, {}, sink), ConversionError);
    EXPECT_EQ(model.inputs().H, 0.75);  // read before the failure: stored
    EXPECT_EQ(model.inputs().D, 0.6);
    EXPECT_DOUBLE_EQ(model.inputs().diz, 0.09);
    EXPECT_EQ(model.inputs().lambdaWall, 0.0);  // after it: not read

    w = Tank();
    w.initialTemperature.clear();  // read before any check
    EXPECT_THROW(model.Run(w, {}, sink), ConversionError);
    w = Tank();
    w.timeStep.clear();  // no emptiness check of its own
    EXPECT_THROW(model.Run(w, {}, sink), ConversionError);
    w = Tank();
    w.wallThickness = "x";  // read by the run although it takes no part
    EXPECT_THROW(model.Run(w, {}, sink), ConversionError);
    Derive(model, w);
    EXPECT_TRUE(model.Prepare(w, {}, Purpose::Chart, sink));  // the chart does not read it
    SimulationSettings s;
    s.limit = "1e7";  // the limit is an integer
    EXPECT_THROW(model.Run(Tank(), s, sink), ConversionError);
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
        ChargingModel fresh;
        Derive(fresh, w);
        EXPECT_EQ(fresh.Prepare(w, s, Purpose::Run, messages), !cases[i].refused) << i;
        EXPECT_EQ(messages.messages.size(), cases[i].refused ? 1u : 0u) << i;
        if (cases[i].refused) {
            EXPECT_EQ(messages.messages[0].title, "VIMTAL info") << i;
        }
    }
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
        Derive(model, w);
        ASSERT_TRUE(model.Prepare(w, {}, Purpose::Run, sink));
        EXPECT_EQ(model.Advance([&](const State&) { ++steps; }), c.stop) << c.target;
        EXPECT_EQ(steps, 1) << c.target;
        EXPECT_EQ(model.state().t, StrToFloat(c.timeStep)) << c.target;
    }
}

TEST_F(ChargingModelTest, TargetReachedInTheStepThatReachesTheLimitCountsAsReached) {
    WindowInputs w = Tank();
    Electric(w);
    ASSERT_EQ(model.Run(w, {}, sink).stop, Stop::TargetReached);
    const double steps = model.state().t;  // at a step of 1 s
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
        const RunReport report = model.Run(w, s, messages);
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
    EXPECT_EQ(model.state().t, 200000);
    EXPECT_LT(model.state().tw, 80);
    EXPECT_GT(model.state().tw, 79);
    EXPECT_FALSE(report.openChart);
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.back().text, "Dla zadanych warunków nie osiągnięto wymaganej temperatury");
}

TEST_F(ChargingModelTest, WithoutLossesNoHeatIsLostAndTheDrawIsThePowerAlone) {
    WindowInputs w = Tank();
    SimulationSettings s;
    s.losses = false;
    RunWindow(w, s);
    ASSERT_TRUE(model.Prepare(w, s, Purpose::Run, sink));
    double largestLoss = 0;
    model.Advance([&](const State& state) { largestLoss = std::max(largestLoss, std::fabs(state.El)); });
    EXPECT_EQ(largestLoss, 0.0);
    const State& end = model.state();
    const auto draw = model.Draw();
    ASSERT_TRUE(draw);
    EXPECT_NEAR(*draw, 10.0 / ((end.tw - 10.0) * end.rho * 4.19), 1e-12);
}

TEST_F(ChargingModelTest, NeitherHeatingKindKeepsTheSourceHeatOfTheStart) {
    WindowInputs w = Tank();
    RunWindow(w);  // derives m from 10 kW
    w.waterHeating = false;
    w.targetTemperature = "30";
    ASSERT_TRUE(model.Prepare(w, {}, Purpose::Run, sink));
    const double start = (80.0 - 10.0) * model.inputs().m * 4.19 * 1.0;  // kJ per 1 s step
    bool constant = true;
    model.Advance([&](const State& state) { constant = constant && std::fabs(state.Es - start) < 1e-12; });
    EXPECT_TRUE(constant);
    EXPECT_NEAR(model.state().Es, 10.0, 1e-9);  // the nominal power at tw0
}

TEST_F(ChargingModelTest, WaterWarmerThanTheSourceCools) {
    WindowInputs w = Tank();
    w.initialTemperature = "90";
    ForTime(w, "600");
    w.massFlowBoxEnabled = true;
    w.massFlow = "0,05";  // a positive flow of water at 80 C
    const RunReport report = model.Run(w, {}, sink);
    EXPECT_EQ(report.stop, Stop::TimeElapsed);
    EXPECT_LT(model.state().tw, 90);
    EXPECT_GT(model.state().tw, 80);
}

TEST_F(ChargingModelTest, WaterAtTheAirTemperatureLosesNothing) {
    WindowInputs w = Tank();
    w.initialTemperature = "20";  // = ta
    RunWindow(w);
    ASSERT_TRUE(model.Prepare(w, {}, Purpose::Run, sink));
    EXPECT_EQ(model.state().El, 0.0);
    EXPECT_EQ(model.state().alphaE, 0.0);
    model.Advance();
    EXPECT_GT(model.state().El, 0.0);  // warmer than the air afterwards
}

TEST_F(ChargingModelTest, ColderThanTheAirTheTankGainsHeat) {
    WindowInputs w = Tank();
    Electric(w);
    w.power = "0";
    ForTime(w, "36000");
    ASSERT_TRUE(model.Prepare(w, {}, Purpose::Run, sink));
    EXPECT_LT(model.state().El, 0.0);  // a gain while colder than the air
    model.Advance();
    EXPECT_GT(model.state().tw, 10.0);
    EXPECT_LT(model.state().tw, 20.0);
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
    ASSERT_TRUE(model.Prepare(w, {}, Purpose::Run, sink));

    auto loss = [&](double tw) {
        const double ae = 5 * std::pow(std::fabs(tw - ta) / ((ta + 273.15) * D), 0.25);
        const double ai = 39.3 * std::pow(2 / D, 0.25);
        const double R = std::log(D / (D - 0.01)) / (6.283 * lWall) + 1 / (ai * 3.1415 * (D - 0.01)) +
                         std::log((D + diz) / D) / (6.283 * lIz) + 1 / (ae * 3.1415 * (D + diz));
        return 0.001 * dt / R * (1.57075 * D * D + 3.1415 * D * H) * (tw - ta) / ((D + diz) * 3.1415);
    };
    const double V = D * D * 3.1415 * 0.25 * H * 1000;
    EXPECT_NEAR(model.inputs().V, V, 1e-12);
    EXPECT_NEAR(model.state().El, loss(tw0), 1e-13 * std::fabs(loss(tw0)));
    EXPECT_LT(model.state().El, 0.0);
    EXPECT_DOUBLE_EQ(model.state().Es, Q * dt);

    const double C = V * WaterDensity(tw0) * 4.19;
    const double tw1 = (Q * dt - loss(tw0) + tw0 * C) / C;
    ChargingModel again;
    ASSERT_TRUE(again.Prepare(w, {}, Purpose::Run, sink));
    bool first = true;
    double seen = 0;
    again.Advance([&](const State& s) {
        if (first) seen = s.tw;
        first = false;
    });
    EXPECT_NEAR(seen, tw1, 1e-12);
    EXPECT_NEAR(again.state().alphaI, 39.3 * std::pow(2 / D, 0.25), 1e-12);
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
        ASSERT_EQ(model.Run(w, s, sink).stop, Stop::TargetReached);
        const double Q = StrToFloat(c.power), tk = StrToFloat(c.target), dt = StrToFloat(c.step);
        const double rho = (WaterDensity(10) + WaterDensity(tk)) / 2;
        const double expected = kTankVolume * rho * 4.19 * (tk - 10) / Q;
        EXPECT_NEAR(model.state().t, expected, 0.003 * expected + dt) << c.power;
        EXPECT_GE(model.state().tw, tk);
        EXPECT_LT(model.state().tw - tk, Q * dt / (kTankVolume * 0.97 * 4.19));  // overshoot below one step
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
        const double tw = model.state().tw;
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
    ASSERT_EQ(model.Run(w, {}, sink).stop, Stop::TimeElapsed);
    const double tw = model.state().tw;
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
        draws[i] = *model.Draw();
        EXPECT_EQ(report.results.draw, RoundedDisplay(draws[i], -4));
        lossPower = model.state().El / model.inputs().dtau;
        const State& s = model.state();
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
    const RunReport still = model.Run(w, {}, sink);
    EXPECT_EQ(model.state().tw, 20.0);
    EXPECT_EQ(still.results.draw, "");
}

TEST_F(ChargingModelTest, TheTargetNotReadKeepsItsValue) {
    WindowInputs w = Tank();
    RunWindow(w);
    EXPECT_EQ(model.inputs().tk, 60);
    EXPECT_EQ(model.inputs().tauk, 0);
    w.targetTemperatureSelected = w.targetTemperatureBoxEnabled = false;
    w.targetTemperature = "garbage";  // disabled: not read
    w.targetTime = "120";
    RunWindow(w);
    EXPECT_EQ(model.inputs().tk, 60);
    EXPECT_EQ(model.inputs().tauk, 120);
}

TEST_F(ChargingModelTest, PowerAndMassFlowExchange) {
    const ChargingModel::SourceTexts defaults{"10", "80", "80"};
    struct Case {
        std::string power, flow, powerBack;
    } cases[] = {
        {"10", "0,0340948", "10"},
        {"1,234", "0,0042073", "1,23"},
        {"1,23", "0,0041937", "1,23"},
        {"0", "0", "0"},
    };
    for (const Case& c : cases) {
        ChargingModel m;
        const auto flow = m.PowerToFlow(defaults, &c.power, false, sink);
        ASSERT_TRUE(flow);
        EXPECT_EQ(*flow, c.flow);
        EXPECT_EQ(m.inputs().Q, StrToFloat(c.power));
        EXPECT_EQ(m.FlowToPower(defaults, *flow), c.powerBack);
    }
    // Flow from the stored power when a source temperature changes.
    ChargingModel m;
    const std::string ten = "10";
    m.PowerToFlow(defaults, &ten, false, sink);
    EXPECT_EQ(*m.PowerToFlow({"10", "70", "80"}, nullptr, false, sink), RoundedDisplay(10 / (65 * 4.19), -7));
}

TEST_F(ChargingModelTest, PowerToFlowRefusals) {
    WindowInputs w = Tank();
    w.targetTemperature = "75";
    RunWindow(w);  // the last run read tk = 75; the flow of 10 kW at 10 C is known
    const double derived = model.inputs().m;
    const std::string power = "10";
    const char* kCeiling =
        "Temperatura zasobnika C.W.U nie może by większa od sredniej temperatury zasilania i powrotu";
    const char* kColdSource = "Temperatura początkowa wody musi być niższa od średniej temperatury zasilania i powrotu";
    struct Case {
        ChargingModel::SourceTexts texts;
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
        ChargingModel m = model;
        RecordingMessageSink messages;
        const auto flow = m.PowerToFlow(c.texts, &power, c.ceilingTest, messages);
        if (!c.message) {
            ASSERT_TRUE(flow) << c.texts.initialTemperature;
            EXPECT_FALSE(flow->empty());
            EXPECT_TRUE(messages.messages.empty());
            EXPECT_GT(m.inputs().m, 0);
            EXPECT_TRUE(m.FlowKnown());
            continue;
        }
        ASSERT_EQ(messages.messages.size(), 1u) << c.texts.initialTemperature;
        EXPECT_EQ(messages.messages[0].text, c.message);
        EXPECT_EQ(messages.messages[0].title, "VIMTAL info");
        if (c.forgotten) {
            ASSERT_TRUE(flow);
            EXPECT_EQ(*flow, "");
            EXPECT_FALSE(m.FlowKnown());
            EXPECT_EQ(m.inputs().m, 0);
        } else {
            EXPECT_FALSE(flow);
            EXPECT_TRUE(m.FlowKnown());
            EXPECT_EQ(m.inputs().m, derived);
        }
    }
    // A flow given as a flow is known at any temperature: it cools a tank
    // hotter than the source, and the power comes out negative.
    ChargingModel m;
    EXPECT_EQ(m.FlowToPower({"85", "80", "80"}, "0,05"), "-1,05");
    EXPECT_TRUE(m.FlowKnown());
    EXPECT_FALSE(m.SourceAboveWater());
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
        std::function<void(ChargingModel&, WindowInputs&)> setUp;
        const char* message;
    } cases[] = {
        {"power typed, never derived", [](ChargingModel&, WindowInputs&) {}, kNoFlow},
        {"derived at 10 C, forgotten at 85 C",
         [](ChargingModel& m, WindowInputs& w) {
             RecordingMessageSink quiet;
             m.PowerToFlow({"10", "80", "80"}, &w.power, false, quiet);
             w.initialTemperature = "85";
             m.PowerToFlow({"85", "80", "80"}, &w.power, false, quiet);
         },
         kNoFlow},
        {"negative power turned into a negative flow",
         [](ChargingModel& m, WindowInputs& w) {
             RecordingMessageSink quiet;
             w.power = "-10";
             m.PowerToFlow({"10", "80", "80"}, &w.power, false, quiet);
         },
         kNegativeFlow},
        {"negative flow typed into its box",
         [](ChargingModel&, WindowInputs& w) {
             GivenFlow(w, "-0,01");
         },
         kNegativeFlow},
        {"negative electric power",
         [](ChargingModel&, WindowInputs& w) {
             Electric(w);
             w.power = "-3";
         },
         kNegativePower},
        {"zero electric power",
         [](ChargingModel&, WindowInputs& w) {
             Electric(w);
             w.power = "0";
         },
         nullptr},
        {"flow typed into its box, none derived",
         [](ChargingModel&, WindowInputs& w) {
             GivenFlow(w, "0,03");
         },
         nullptr},
    };
    for (const Case& c : cases) {
        for (Purpose purpose : {Purpose::Run, Purpose::Chart}) {
            WindowInputs w = Tank();
            ForTime(w, "3600");
            ChargingModel m;
            c.setUp(m, w);
            RecordingMessageSink messages;
            const bool prepared = m.Prepare(w, {}, purpose, messages);
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
                const RunReport report = m.Run(w, {}, messages);
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
    const ChargingModel::SourceTexts texts{"85", "80", "80"};
    w.power = model.FlowToPower(texts, "0,05");  // the window shows the negative power
    const RunReport report = model.Run(w, {}, sink);
    ASSERT_TRUE(report.prepared);
    EXPECT_EQ(report.stop, Stop::TimeElapsed);
    const double tw = model.state().tw;
    EXPECT_LT(tw, 85);
    EXPECT_GT(tw, 80);
    // 0,05 kg/s of 80 C water through 98 l at 85 C for an hour: the excess
    // falls by exp(-m c t / (V rho c)) to about 0,8 K above the source.
    EXPECT_NEAR(tw, 80 + 5 * std::exp(-0.05 * 3600 / (kTankVolume * 0.968)), 0.25);
    EXPECT_TRUE(sink.messages.empty());
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
        ChargingModel fresh;
        Derive(fresh, w);
        RecordingMessageSink messages;
        const RunReport report = fresh.Run(w, s, messages);
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
            ChargingModel m;
            m.UseTextbookLoss(textbook == 1);
            if (!c.electric) m.PowerToFlow({c.tw0, "80", "80"}, &w.power, false, sink);
            ASSERT_TRUE(m.Prepare(w, {}, Purpose::Run, sink));
            m.Advance([&](const State& s) {
                tw[textbook].push_back(s.tw);
                loss[textbook].push_back(s.El);
            });
            EXPECT_EQ(m.Advance([](const State&) {}), Stop::TimeElapsed);
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
