#include <benchmark/benchmark.h>

#include "aircalc/AirProcesses.h"

#include <string>

// The chains below name only the fields they give (designated initializers);
// GCC 12 takes the fields left out for forgotten ones.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace vimtal::aircalc {
namespace {

// A chain of 20 processes from two given states: five rounds of mixing with
// outdoor air, heating, cooling with dehumidification and humidifying to a
// relative humidity (steam and spray by turns). Each of its 22 states costs
// a wet-bulb search of some 30 000 to 50 000 steps; the searches for phi2
// and the bisections cost little beside them.
ChainInput TwentyProcesses() {
    ChainInput chain;
    chain.states = {{.name = "Z", .t = -5, .phi = 85, .flow = AirFlow{AirFlow::Kind::Mass, 1.0}},
                    {.name = "W0", .t = 22, .phi = 45, .flow = AirFlow{AirFlow::Kind::Volume, 9000}}};
    for (int round = 0; round < 5; ++round) {
        const std::string n = std::to_string(round);
        const std::string last = "W" + n;
        chain.processes.push_back({.type = ProcessType::Mixing, .from = {"Z", last}, .to = "M" + n});
        chain.processes.push_back({.type = ProcessType::Heating, .from = {"M" + n}, .to = "H" + n, .t2 = 30});
        chain.processes.push_back({.type = ProcessType::Cooling, .from = {"H" + n}, .to = "C" + n, .adp = 4, .bf = 0.2});
        ProcessInput humidify{.type = round % 2 ? ProcessType::Spray : ProcessType::Steam, .from = {"C" + n},
                              .to = "W" + std::to_string(round + 1), .phi2 = 95};
        chain.processes.push_back(humidify);
    }
    return chain;
}

void BM_TwentyProcessChain(benchmark::State& state) {
    const ChainInput chain = TwentyProcesses();
    for (auto _ : state) benchmark::DoNotOptimize(ComputeChain(chain));
}
BENCHMARK(BM_TwentyProcessChain)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vimtal::aircalc
