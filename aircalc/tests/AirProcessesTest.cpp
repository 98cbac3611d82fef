// Chains of air-handling processes: worked figures, the mass and energy
// balances, every refusal, fog, the spreadsheet export, and chains computed
// apart from the program by process_reference.py (the formulas in plain
// double precision, solved by bisection).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "aircalc/AirProcesses.h"
#include "aircalc/IxpFile.h"
#include "aircalc/MoistAir.h"
#include "core/Errors.h"
#include "core/Messages.h"
#include "core/Numbers.h"

// The chains below name only the fields they give (designated initializers);
// GCC 12 takes the fields left out for forgotten ones.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace vimtal::aircalc {
namespace {

AirFlow Mass(double m) { return {AirFlow::Kind::Mass, m}; }
AirFlow Volume(double v) { return {AirFlow::Kind::Volume, v}; }

const StateResult& Find(const ChainResult& r, const std::string& name) {
    const auto found = std::find_if(r.states.begin(), r.states.end(), [&](const StateResult& s) { return s.name == name; });
    if (found == r.states.end()) throw std::runtime_error("no state " + name);
    return *found;
}

// One process from state "1" (given by t and x, 1 kg/s) to state "2".
ChainInput OneProcess(double t, double x, ProcessInput process, double pb = 101325) {
    process.from = {"1"};
    process.to = "2";
    return {pb, {{.name = "1", .t = t, .x = x, .flow = Mass(1)}}, {process}};
}

TEST(AirProcesses, WorkedFigures) {
    struct Case {
        const char* what;
        ChainInput chain;
        double t, x, q, w;  // the end state "2" or "M", its process's Q and W
        double tolerance;   // on t, x, Q and W
    } cases[] = {
        // Textbook mixing at 1 bar, equal volume flows: 7.37 g/kg, 14.66 degC.
        {"mixing",
         {100000,
          {{.name = "A", .t = 5, .phi = 90, .flow = Volume(1000)}, {.name = "B", .t = 25, .phi = 50, .flow = Volume(1000)}},
          {{.type = ProcessType::Mixing, .from = {"A", "B"}, .to = "2"}}},
         14.66, 7.37, 0, 0, 0.005},
        // Q = m (1.005 + 1.84 x) (t2 - t1) = 1 (1.005 + 0.00552) 20 = 20.2104 kW.
        {"heating", OneProcess(0, 3, {.type = ProcessType::Heating, .t2 = 20}), 20, 3, 20.2104, 0, 1e-9},
        // ps(10) = 1227.05 Pa, x_ADP = 7.625 g/kg, i_ADP = 29.260, i1 = 63.381 kJ/kg;
        // x2 = 7.625 + 0.15 (13 - 7.625) = 8.431 g/kg, i2 = 34.378 kJ/kg, so
        // t2 = 13.02 degC (the textbook's t_ADP + BF (t1 - t_ADP) = 13.0);
        // Q = (34.378 - 63.381) + 0.004569 * 4.19 * 10 = -28.81 kW;
        // W = -0.004569 * 3600 = -16.45 kg/h.
        {"cooling", OneProcess(30, 13, {.type = ProcessType::Cooling, .adp = 10, .bf = 0.15}), 13.025, 8.431, -28.811,
         -16.448, 0.001},
        // i1 = 20.1 + 0.005 * 2537.8 = 32.789; + 0.003 (2501 + 184) = 40.844 kJ/kg;
        // t2 = (40.844 - 20.008) / 1.01972 = 20.433 degC; W = 10.8 kg/h.
        {"steam", OneProcess(20, 5, {.type = ProcessType::Steam, .x2 = 8}), 20.433, 8, 0, 10.8, 0.001},
        // i1 = 30.15 + 0.005 * 2556.2 = 42.931; + 0.004 * 4.19 * 15 = 43.182 kJ/kg;
        // t2 = (43.182 - 22.509) / 1.02156 = 20.237 degC; W = 14.4 kg/h.
        {"spray", OneProcess(30, 5, {.type = ProcessType::Spray, .x2 = 9}), 20.237, 9, 0, 14.4, 0.001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ChainResult r = ComputeChain(c.chain);
        const StateResult& end = r.states.back();
        EXPECT_NEAR(end.t, c.t, c.tolerance);
        EXPECT_NEAR(end.x, c.x, c.tolerance);
        EXPECT_NEAR(r.processes.back().power.value(), c.q, c.tolerance);
        EXPECT_NEAR(r.processes.back().water.value(), c.w, c.tolerance);
        EXPECT_FALSE(end.fog);
        EXPECT_TRUE(r.notes.empty());
    }
}

TEST(AirProcesses, EveryPairOfPropertiesGivesTheSameState) {
    const double pb = 101325;
    struct Base {
        double t, phi;
    } bases[] = {{20, 50}, {-10, 80}, {35, 30}, {5, 100}, {-24, 60}, {60, 20}};
    for (const Base& b : bases) {
        SCOPED_TRACE(std::to_string(b.t) + " degC, " + std::to_string(b.phi) + " %");
        const StateResult base = ComputeChain({pb, {{.name = "A", .t = b.t, .phi = b.phi}}, {}}).states[0];
        const StateInput pairs[] = {{.name = "tx", .t = base.t, .x = base.x},
                                    {.name = "ti", .t = base.t, .i = base.i},
                                    {.name = "xφ", .phi = base.phi, .x = base.x},
                                    {.name = "xi", .x = base.x, .i = base.i},
                                    {.name = "iφ", .phi = base.phi, .i = base.i}};
        for (const StateInput& pair : pairs) {
            const StateResult s = ComputeChain({pb, {pair}, {}}).states[0];
            EXPECT_NEAR(s.t, base.t, 1e-9) << pair.name;
            EXPECT_NEAR(s.phi, base.phi, 1e-9) << pair.name;
            EXPECT_NEAR(s.x, base.x, 1e-9) << pair.name;
            EXPECT_NEAR(s.i, base.i, 1e-9) << pair.name;
            EXPECT_FALSE(s.fog) << pair.name;
        }
    }
}

// The enthalpy of the water a process adds or removes, kJ/kg.
double WaterEnthalpy(const ProcessInput& p) {
    switch (p.type) {
        case ProcessType::Steam: return 2501 + 1.84 * p.ts.value_or(100);
        case ProcessType::Spray: return 4.19 * p.tw.value_or(15);
        case ProcessType::Cooling: return 4.19 * *p.adp;  // condensate
        default: return 0;
    }
}

ChainInput RandomChain(std::mt19937& random) {
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    ChainInput chain;
    chain.pressure = uniform(85000, 105000);
    for (const char* name : {"A", "B"}) {
        const AirFlow flow = pick(2) ? Mass(uniform(0.2, 5)) : Volume(uniform(500, 20000));
        chain.states.push_back({.name = name, .t = uniform(-15, 35), .phi = uniform(20, 95), .flow = flow});
    }
    std::vector<std::string> names{"A", "B"};
    const int count = 2 + pick(5);
    for (int k = 0; k < count; ++k) {
        ProcessInput p;
        p.type = static_cast<ProcessType>(pick(5));
        p.from = {names[static_cast<std::size_t>(pick(static_cast<int>(names.size())))]};
        p.to = "P" + std::to_string(k);
        switch (p.type) {
            case ProcessType::Mixing: p.from.push_back(p.from[0] == "A" ? "B" : "A"); break;
            case ProcessType::Heating: (pick(2) ? p.t2 : p.q) = pick(2) ? uniform(25, 45) : uniform(-5, 40); break;
            case ProcessType::Cooling:
                p.adp = uniform(-12, 8);
                p.bf = uniform(0, 1);
                break;
            case ProcessType::Steam:
            case ProcessType::Spray:
                if (pick(3)) {
                    p.phi2 = uniform(80, 100);
                } else {
                    p.x2 = uniform(8, 12);
                }
                if (pick(2)) (p.type == ProcessType::Steam ? p.ts : p.tw) = uniform(5, 95);
                break;
        }
        names.push_back(p.to);
        chain.processes.push_back(p);
    }
    return chain;
}

TEST(AirProcesses, BalancesCloseOnRandomChains) {
    std::mt19937 random(20240611);
    int chains = 0, processes = 0;
    for (int attempt = 0; attempt < 80; ++attempt) {
        ChainInput chain = RandomChain(random);
        ChainResult r;
        try {
            r = ComputeChain(chain);
        } catch (const NoticeError& error) {
            // Random parameters may ask too much (a coil warmer than its air,
            // a target below the start): the chain before that process.
            const std::string message = error.what();
            if (message.rfind("Przemiana ", 0) != 0) continue;
            chain.processes.resize(std::stoul(message.substr(10)) - 1);
            r = ComputeChain(chain);
        }
        ++chains;
        for (std::size_t n = 0; n < r.processes.size(); ++n) {
            const ProcessResult& p = r.processes[n];
            const StateResult& out = r.states[static_cast<std::size_t>(p.to)];
            double mass = 0, energy = 0, water = 0, scale = 0;
            for (const int k : p.from) {
                const StateResult& in = r.states[static_cast<std::size_t>(k)];
                mass += *in.massFlow;
                energy += *in.massFlow * in.i;
                water += *in.massFlow * in.humidityRatio;
                scale += std::fabs(*in.massFlow * in.i);
            }
            SCOPED_TRACE(WriteIxp(chain) + "process " + std::to_string(n + 1));
            ASSERT_TRUE(p.massFlow && p.power && p.water);
            energy += *p.power + *p.water * WaterEnthalpy(chain.processes[n]) / 3600;
            water += *p.water / 3600;
            EXPECT_DOUBLE_EQ(*p.massFlow, mass);
            EXPECT_EQ(out.massFlow, p.massFlow);
            EXPECT_NEAR(energy, *p.massFlow * out.i, 1e-9 * std::max(1.0, scale));
            EXPECT_NEAR(water, *p.massFlow * out.humidityRatio, 1e-9 * std::max(1e-3, water));
            // Every state lies on its own isotherm: fog on the fog isotherm.
            const double i = out.fog ? FogEnthalpy(out.t, out.humidityRatio, chain.pressure)
                                     : Enthalpy(out.t, out.humidityRatio);
            EXPECT_NEAR(i, out.i, 1e-8);
            ++processes;
        }
    }
    EXPECT_GT(chains, 70);
    EXPECT_GT(processes, 150);
}

TEST(AirProcesses, HumidifiersReachTheirRelativeHumidity) {
    for (const ProcessType type : {ProcessType::Steam, ProcessType::Spray}) {
        for (const double phi2 : {40.0, 85.0, 99.5, 100.0}) {
            SCOPED_TRACE(ProcessName(type) + " " + std::to_string(phi2));
            const ChainResult r = ComputeChain(OneProcess(24, 3, {.type = type, .phi2 = phi2}));
            EXPECT_NEAR(r.states[1].phi, phi2, 1e-9);
            EXPECT_FALSE(r.states[1].fog);
            EXPECT_GT(r.processes[0].water.value(), 0);
        }
    }
}

// A chain without flows is a sketch: every process whose end does not
// hang on the flow gives the same end state as with one, its m, Q and W
// unknown (empty in the CSV); a mixing and a heating by Q are refused.
TEST(AirProcesses, ChainsWithoutFlowsSketchTheStates) {
    const ProcessInput sketched[] = {
        {.type = ProcessType::Heating, .t2 = 35},          {.type = ProcessType::Heating, .t2 = 18},
        {.type = ProcessType::Cooling, .adp = 8, .bf = 0.2}, {.type = ProcessType::Cooling, .adp = 22, .bf = 0.1},
        {.type = ProcessType::Steam, .phi2 = 60},           {.type = ProcessType::Spray, .x2 = 12},
    };
    SetDecimalSeparator(',');
    for (const ProcessInput& process : sketched) {
        SCOPED_TRACE(ParametersText(process));
        const ChainResult withFlow = ComputeChain(OneProcess(26, 9, process));
        ChainInput chain = OneProcess(26, 9, process);
        chain.states[0].flow.reset();
        const ChainResult sketch = ComputeChain(chain);
        const StateResult &a = withFlow.states[1], &b = sketch.states[1];
        EXPECT_EQ(a.t, b.t);
        EXPECT_EQ(a.i, b.i);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(sketch.processes[0].name, withFlow.processes[0].name);
        EXPECT_TRUE(withFlow.processes[0].massFlow && withFlow.processes[0].power && withFlow.processes[0].water);
        EXPECT_FALSE(sketch.processes[0].massFlow || sketch.processes[0].power || sketch.processes[0].water);
        EXPECT_FALSE(b.massFlow.has_value());
        const std::string csv = ChainCsv(sketch);
        EXPECT_EQ(csv.substr(csv.rfind(";2;", csv.size() - 3)), ";2;;;\r\n");
    }
    const ChainInput refused[] = {
        {101325, {{.name = "1", .t = 20, .phi = 50}}, {{.type = ProcessType::Heating, .from = {"1"}, .to = "2", .q = 5}}},
        {101325,
         {{.name = "1", .t = 20, .phi = 50, .flow = Mass(1)}, {.name = "2", .t = 0, .phi = 80}},
         {{.type = ProcessType::Mixing, .from = {"1", "2"}, .to = "M"}}},
        // A sketched end has no flow to mix either.
        {101325,
         {{.name = "1", .t = 20, .phi = 50, .flow = Mass(1)}, {.name = "2", .t = 0, .phi = 80}},
         {{.type = ProcessType::Heating, .from = {"2"}, .to = "3", .t2 = 15},
          {.type = ProcessType::Mixing, .from = {"1", "3"}, .to = "M"}}},
    };
    for (const ChainInput& chain : refused) {
        try {
            ComputeChain(chain);
            ADD_FAILURE() << WriteIxp(chain);
        } catch (const NoticeError& error) {
            EXPECT_NE(std::string(error.what()).find("nie ma przepływu powietrza"), std::string::npos) << error.what();
        }
    }
}

TEST(AirProcesses, FogAfterMixingIsNoted) {
    const ChainInput chain{101325,
                           {{.name = "Zew", .t = -15, .phi = 100, .flow = Mass(1.2)},
                            {.name = "Wyw", .t = 30, .x = 20, .flow = Mass(1.0)}},
                           {{.type = ProcessType::Mixing, .from = {"Zew", "Wyw"}, .to = "M"},
                            {.type = ProcessType::Heating, .from = {"M"}, .to = "P", .t2 = 25}}};
    const ChainResult r = ComputeChain(chain);
    const StateResult& fog = Find(r, "M");
    ASSERT_TRUE(fog.fog);
    EXPECT_EQ(fog.phi, 100);
    // Its own x and i; the temperature on the fog isotherm, warmer than the
    // unsaturated reading of (x, i).
    EXPECT_NEAR(fog.x, (1.2 * Find(r, "Zew").x + 20) / 2.2, 1e-12);
    EXPECT_NEAR(FogEnthalpy(fog.t, fog.humidityRatio, 101325), fog.i, 1e-8);
    EXPECT_GT(fog.t, TemperatureOf(fog.i, fog.humidityRatio));
    EXPECT_LT(SaturationHumidityRatio(fog.t, 101325), fog.humidityRatio);
    EXPECT_FALSE(Find(r, "P").fog);
    ASSERT_EQ(r.notes.size(), 1u);
    EXPECT_NE(r.notes[0].find("Punkt „M” leży w obszarze mgły"), std::string::npos) << r.notes[0];
}

TEST(AirProcesses, StatesOutsideTheChartsTemperaturesAreNoted) {
    const ChainResult r = ComputeChain({101325,
                                        {{.name = "Z", .t = -22, .phi = 90, .flow = Mass(1)},
                                         {.name = "L", .t = -20, .phi = 90},
                                         {.name = "G", .t = 50, .phi = 10}},
                                        {{.type = ProcessType::Heating, .from = {"Z"}, .to = "H", .t2 = 55}}});
    ASSERT_EQ(r.notes.size(), 2u);  // a temperature on a bound is within it
    EXPECT_NE(r.notes[0].find("Punkt „Z”: temperatura t = -22 °C leży poza zakresem -20…50 °C"), std::string::npos);
    EXPECT_NE(r.notes[1].find("Punkt „H”"), std::string::npos);
}

TEST(AirProcesses, RefusalsNameTheStateOrProcess) {
    // A winter chain every refusal below changes in one place.
    const ChainInput valid{101325,
                           {{.name = "1", .t = -10, .phi = 80, .flow = Mass(1)},
                            {.name = "2", .t = 22, .phi = 45, .flow = Volume(9000)}},
                           {{.type = ProcessType::Mixing, .from = {"1", "2"}, .to = "M"},
                            {.type = ProcessType::Heating, .from = {"M"}, .to = "3", .t2 = 32},
                            {.type = ProcessType::Cooling, .from = {"2"}, .to = "C", .adp = 8, .bf = 0.1},
                            {.type = ProcessType::Steam, .from = {"3"}, .to = "4", .phi2 = 40},
                            {.type = ProcessType::Spray, .from = {"3"}, .to = "5", .x2 = 8}}};
    ASSERT_NO_THROW(ComputeChain(valid));
    using Change = std::function<void(ChainInput&)>;
    const auto state = [](ChainInput& c, int k) -> StateInput& { return c.states[static_cast<std::size_t>(k)]; };
    const auto process = [](ChainInput& c, int k) -> ProcessInput& { return c.processes[static_cast<std::size_t>(k)]; };
    const struct Case {
        Change change;
        const char* message;
    } cases[] = {
        {[](ChainInput& c) { c.pressure = 40000; }, "Ciśnienie barometryczne pb = 40000 Pa leży poza zakresem"},
        {[&](ChainInput& c) { state(c, 0).x = 2; }, "Punkt „1”: podaj dokładnie dwie z wielkości t, φ, x, i (podano 3)"},
        {[&](ChainInput& c) { state(c, 0).phi.reset(); }, "(podano 1)"},
        {[&](ChainInput& c) { state(c, 0).phi = 101; }, "φ = 101 % musi leżeć w zakresie (0; 100]"},
        {[&](ChainInput& c) { state(c, 0).phi = 0; }, "φ = 0 % musi leżeć"},
        {[&](ChainInput& c) { state(c, 0) = {.name = "1", .t = 5, .x = 0, .flow = Mass(1)}; }, "x = 0 g/kg musi być większa"},
        {[&](ChainInput& c) { state(c, 0).t = 85; }, "temperatura t = 85 °C leży poza zakresem -26…80 °C"},
        {[&](ChainInput& c) { state(c, 0) = {.name = "1", .phi = 5, .x = 30}; }, "Punkt „1”: szukana temperatura leży poza"},
        {[&](ChainInput& c) { state(c, 0) = {.name = "1", .t = 10, .i = 60}; }, "stan (t, i) leży poza krzywą nasycenia"},
        {[&](ChainInput& c) { state(c, 0) = {.name = "1", .t = 20, .i = 10}; }, "i = 10 kJ/kg oznacza powietrze bez wilgoci"},
        {[&](ChainInput& c) { state(c, 0).t = NAN; }, "wartość t nie jest liczbą"},
        {[&](ChainInput& c) { state(c, 0) = {.name = "1", .x = 5, .i = -1e6}; }, "leży poza zakresem -26…80 °C"},
        {[&](ChainInput& c) { state(c, 0).phi = 2e6; }, "wartość φ = 2000000 jest poza zakresem obliczeń"},
        {[&](ChainInput& c) { state(c, 0).flow = Mass(2e5); }, "ṁ = 200000 kg/s leży poza zakresem 0,0001…100000 kg/s"},
        {[&](ChainInput& c) { state(c, 1).flow = Volume(0.1); }, "leży poza zakresem 0,0001…100000 kg/s"},
        {[&](ChainInput& c) { state(c, 1).name = "1"; }, "nazwa „1” jest już użyta"},
        {[&](ChainInput& c) { state(c, 1).name = ""; }, "punkt musi mieć nazwę"},
        {[&](ChainInput& c) { process(c, 2).to = "M"; }, "Przemiana 3 (chłodzenie z osuszaniem, 2 → M): nazwa „M” jest"},
        {[&](ChainInput& c) { state(c, 1).flow.reset(); }, "punkt „2” nie ma przepływu powietrza"},
        {[&](ChainInput& c) { state(c, 1).flow = Volume(-1); }, "Punkt „2”: przepływ powietrza musi być liczbą większą"},
        {[&](ChainInput& c) { process(c, 1).from = {"X"}; }, "Przemiana 2 (ogrzewanie, X → 3): punkt „X” nie istnieje"},
        {[&](ChainInput& c) { process(c, 1).from = {"4"}; }, "punkt „4” nie istnieje"},  // made later
        {[&](ChainInput& c) { process(c, 0).from = {"1"}; }, "mieszanie łączy dokładnie dwa punkty"},
        {[&](ChainInput& c) { process(c, 0).from = {"1", "1"}; }, "mieszanie łączy dwa różne punkty"},
        {[&](ChainInput& c) { process(c, 1).from = {"M", "1"}; }, "przemiana ma jeden punkt początkowy"},
        {[&](ChainInput& c) { process(c, 1).q = 5; }, "podaj dokładnie jeden z parametrów t2 lub Q"},
        {[&](ChainInput& c) { process(c, 1).adp = 5; }, "parametr tADP nie dotyczy tej przemiany"},
        {[&](ChainInput& c) { process(c, 1).t2 = 2; }, "jest niższa od punktu rosy tr = "},
        {[&](ChainInput& c) { process(c, 1).t2.reset(), process(c, 1).q = -80; }, "„chłodzenie z osuszaniem”"},
        {[&](ChainInput& c) { process(c, 1).t2 = 90; }, "t2 = 90 °C leży poza zakresem"},
        {[&](ChainInput& c) { process(c, 2).bf = 1.2; }, "współczynnik obejścia BF = 1,2 musi leżeć w zakresie 0…1"},
        {[&](ChainInput& c) { process(c, 2).bf.reset(); }, "podaj temperaturę powierzchni chłodnicy tADP i współczynnik"},
        {[&](ChainInput& c) { process(c, 2).adp = 25; }, "tADP = 25 °C jest wyższa od temperatury powietrza t = 22 °C"},
        {[&](ChainInput& c) { process(c, 3).phi2 = 10; }, "φ2 = 10 % jest mniejsza niż φ = "},
        {[&](ChainInput& c) { process(c, 3).phi2 = 100.5; }, "φ2 = 100,5 % musi leżeć w zakresie"},
        {[&](ChainInput& c) { process(c, 3).x2 = 8; }, "podaj dokładnie jeden z parametrów x2 lub φ2"},
        {[&](ChainInput& c) { process(c, 3).ts = 300, process(c, 3).phi2 = 99; }, "linia przemiany wychodzi wcześniej poza"},
        {[&](ChainInput& c) { process(c, 3).ts = -5; }, "temperatura pary ts = -5 °C leży poza zakresem"},
        {[&](ChainInput& c) { process(c, 4).x2 = 3; }, "x2 = 3 g/kg jest mniejsza niż x = "},
        {[&](ChainInput& c) { process(c, 4).x2 = 40; }, "przy x2 = 40 g/kg powietrze byłoby przesycone"},
        {[&](ChainInput& c) { process(c, 4).tw = 120; }, "temperatura wody tw = 120 °C"},
        {[&](ChainInput& c) { process(c, 4).tw = INFINITY; }, "wartość tw nie jest liczbą"},
    };
    SetDecimalSeparator(',');
    for (const Case& c : cases) {
        ChainInput chain = valid;
        c.change(chain);
        try {
            ComputeChain(chain);
            ADD_FAILURE() << "not refused: " << c.message;
        } catch (const NoticeError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
            EXPECT_EQ(error.Title(), kInfoTitle);
        }
    }
}

// The lines of a CSV text, without the byte-order mark, split at CR LF.
std::vector<std::string> Lines(const std::string& csv) {
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    std::vector<std::string> lines;
    std::size_t from = 3;
    for (std::size_t end; (end = csv.find("\r\n", from)) != std::string::npos; from = end + 2) {
        lines.push_back(csv.substr(from, end - from));
    }
    EXPECT_EQ(from, csv.size()) << "the last line ends in CR LF";
    return lines;
}

TEST(AirProcesses, CsvHasBothTablesInTheLocalesNumbers) {
    // State A is the calculator's own example (t 20, phi 50 at 101 300 Pa: x
    // 7.25699 g/kg, i 38.51678, rho 1.197877, tr 9.21336, tm 13.728); H is
    // A heated to 30 degC: i 48.70031, phi 27.5421, rho 1.158343, tm 17.307,
    // Q = 2 kg/s (48.70031 - 38.51678) = 20.367 kW.
    const ChainInput chain{101300,
                           {{.name = "A", .t = 20, .phi = 50, .flow = Mass(1)},
                            {.name = "B; druga", .t = 20, .phi = 50, .flow = Mass(1)}},
                           {{.type = ProcessType::Mixing, .from = {"A", "B; druga"}, .to = "M"},
                            {.type = ProcessType::Heating, .from = {"M"}, .to = "H", .t2 = 30}}};
    SetDecimalSeparator(',');
    const std::vector<std::string> lines = Lines(ChainCsv(ComputeChain(chain)));
    const std::vector<std::string> expected{
        "Punkt;t [°C];φ [%];x [g/kg];i [kJ/kg];ρ [kg/m³];tr [°C];tm [°C]",
        "A;20;50;7,26;38,52;1,198;9,21;13,73",
        "\"B; druga\";20;50;7,26;38,52;1,198;9,21;13,73",
        "M;20;50;7,26;38,52;1,198;9,21;13,73",
        "H;30;27,54;7,26;48,7;1,158;9,21;17,31",
        "",
        "Przemiana;Z;Do;ṁ [kg/s];Q [kW];W [kg/h]",
        "mieszanie;\"A+B; druga\";M;2;0;0",
        "ogrzewanie;M;H;2;20,37;0",
    };
    EXPECT_EQ(lines, expected);
    SetDecimalSeparator('.');
    EXPECT_EQ(Lines(ChainCsv(ComputeChain(chain)))[4], "H;30;27.54;7.26;48.7;1.158;9.21;17.31");
    SetDecimalSeparator(',');
}

// The chains process_reference.py computed, each opened from its .ixp text
// and exported to CSV as the window does, within 0.05 K, 0.2 % of phi,
// 0.02 g/kg, 0.05 kJ/kg and 0.3 % of m, Q and W (rho within 0.002 kg/m3).
TEST(AirProcesses, ChainsAgreeWithAnIndependentComputation) {
    SetDecimalSeparator(',');
    std::ifstream file(AIRCALC_TEST_DATA "/process_reference.tsv");
    ASSERT_TRUE(file) << "process_reference.tsv";
    std::vector<std::vector<std::string>> csv;  // the current chain's exported rows
    std::size_t row = 0, chains = 0, compared = 0;
    const auto number = [](std::string text) {
        std::replace(text.begin(), text.end(), ',', '.');
        return std::stod(text);
    };
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::stringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
        if (f[0] == "chain") {
            csv.clear();
            for (const std::string& text : Lines(ChainCsv(ComputeChain(ReadIxp(f[1]))))) {
                std::vector<std::string> fields;
                std::stringstream split(text);
                for (std::string field; std::getline(split, field, ';');) fields.push_back(field);
                if (!fields.empty() && fields[0] != "Punkt" && fields[0] != "Przemiana") csv.push_back(fields);
            }
            row = 0;
            ++chains;
            continue;
        }
        ASSERT_LT(row, csv.size()) << line;
        const std::vector<std::string>& got = csv[row++];
        SCOPED_TRACE(line);
        if (f[0] == "state") {
            ASSERT_EQ(got.size(), 8u);
            EXPECT_EQ(got[0], f[1]);
            const double tolerance[] = {0.05, 0.2, 0.02, 0.05, 0.002, 0.05, 0.05};
            for (std::size_t k = 0; k < 7; ++k) EXPECT_NEAR(number(got[k + 1]), std::stod(f[k + 2]), tolerance[k]) << k;
        } else {
            ASSERT_EQ(got.size(), 6u);
            EXPECT_EQ(got[0], f[1]);
            EXPECT_EQ(got[1], f[2]);
            EXPECT_EQ(got[2], f[3]);
            for (std::size_t k = 0; k < 3; ++k) {
                const double expected = std::stod(f[k + 4]);
                EXPECT_NEAR(number(got[k + 3]), expected, 0.003 * std::fabs(expected)) << k;
            }
        }
        ++compared;
    }
    EXPECT_EQ(chains, 5u);
    EXPECT_EQ(compared, 42u);
}

}  // namespace
}  // namespace vimtal::aircalc
