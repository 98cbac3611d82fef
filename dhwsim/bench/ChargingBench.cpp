// Speed of the charging simulation: a run that never reaches its target makes
// as many steps as the limit allows (ten million at the defaults).
#include "dhwsim/ChargingModel.h"

#include "core/Numbers.h"

#include <benchmark/benchmark.h>

namespace vimtal::dhwsim {
namespace {

// Water heating to the mean source temperature with losses: the tank settles
// just below it, so the run goes to the limit.
WindowInputs NeverReached() {
    WindowInputs w;
    w.height = "1,2";
    w.diameter = "0,5";
    w.power = "10";
    w.targetTemperature = "80";
    return w;
}

void BM_RunToTheLimitWithLosses(benchmark::State& state) {
    SetDecimalSeparator(',');
    RecordingMessageSink sink;
    ChargingModel model;
    const WindowInputs w = NeverReached();
    const std::string power = w.power;
    model.PowerToFlow({w.initialTemperature, w.supplyTemperature, w.returnTemperature}, &power, false, sink);
    SimulationSettings settings;
    settings.limit = std::to_string(state.range(0));
    for (auto _ : state) {
        const RunReport report = model.Run(w, settings, sink);
        benchmark::DoNotOptimize(report.stop);
    }
    state.counters["steps"] = static_cast<double>(model.state().t);
    state.counters["tw"] = model.state().tw;
}
BENCHMARK(BM_RunToTheLimitWithLosses)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RunToTheLimitWithoutLosses(benchmark::State& state) {
    SetDecimalSeparator(',');
    RecordingMessageSink sink;
    ChargingModel model;
    const WindowInputs w = NeverReached();
    const std::string power = w.power;
    model.PowerToFlow({w.initialTemperature, w.supplyTemperature, w.returnTemperature}, &power, false, sink);
    SimulationSettings settings;
    settings.losses = false;
    settings.limit = std::to_string(state.range(0));
    for (auto _ : state) {
        const RunReport report = model.Run(w, settings, sink);
        benchmark::DoNotOptimize(report.stop);
    }
}
BENCHMARK(BM_RunToTheLimitWithoutLosses)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vimtal::dhwsim
