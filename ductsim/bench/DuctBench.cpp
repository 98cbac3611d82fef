// Speed of the duct cooling run: the default case of the window and a run of
// ten million steps (what a long duct or a fine time step asks for).
#include "ductsim/DuctModel.h"

#include "core/Numbers.h"

#include <benchmark/benchmark.h>

namespace {
using namespace vimtal;
using namespace vimtal::ductsim;

Inputs Case(const char* length, const char* timeStep) {
    SetDecimalSeparator(',');
    InputTexts t = DefaultInputTexts();
    t.flow = "500";
    t.length = length;
    t.sideA = "0,2";
    t.sideB = "0,2";
    t.timeStep = timeStep;
    return ConvertInputs(t);
}

void Run(benchmark::State& state, const Inputs& inputs, bool observe) {
    const DuctSimulation simulation(inputs, kWindowT0);
    double sum = 0;
    std::int64_t steps = 0;
    for (auto _ : state) {
        RunResult r = observe ? simulation.Run([&](double, double t) { sum += t; }) : simulation.Run();
        steps = r.steps;
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["ns_per_step"] =
        benchmark::Counter(static_cast<double>(steps) * state.iterations() * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// 0.2 m x 0.2 m, 10 m, 500 m3/h, dtau = 0.0001 s: about 28 800 steps.
void BM_DefaultCase(benchmark::State& state) { Run(state, Case("10", "0,0001"), false); }
// The same duct 3472.2 m long: 10 million steps.
void BM_TenMillionSteps(benchmark::State& state) { Run(state, Case("3472,2222", "0,0001"), false); }
// As the chart's drawing run: every step handed to an observer.
void BM_TenMillionStepsObserved(benchmark::State& state) { Run(state, Case("3472,2222", "0,0001"), true); }

BENCHMARK(BM_DefaultCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenMillionSteps)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TenMillionStepsObserved)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace
