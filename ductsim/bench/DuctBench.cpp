// Speed of the duct cooling run: the default case of the window and a run of
// ten million steps (what a long duct or a fine time step asks for), alone
// and as the chart computes it.
#include "ductsim/DuctChart.h"
#include "ductsim/DuctModel.h"

#include "core/Numbers.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {
using namespace vimtal;
using namespace vimtal::ductsim;

InputTexts Texts(const char* length, const char* timeStep) {
    SetDecimalSeparator(',');
    InputTexts t = DefaultInputTexts();
    t.flow = "500";
    t.length = length;
    t.sideA = "0,2";
    t.sideB = "0,2";
    t.timeStep = timeStep;
    return t;
}

Inputs Case(const char* length, const char* timeStep) { return ConvertInputs(Texts(length, timeStep)); }

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

// The whole chart on its paint area: the checks, two runs of ten million
// steps and the curve, as one computation of the chart window.
void BM_ChartTenMillionSteps(benchmark::State& state) {
    const InputTexts texts = Texts("3472,2222", "0,0001");
    RecordingMessageSink messages;
    SimulationListener listener;
    QImage image(497, 305, QImage::Format_RGB32);
    std::vector<charts::PlotPoint> points;
    for (auto _ : state) {
        image.fill(Qt::white);
        points.clear();
        QPainter painter(&image);
        charts::Canvas canvas(painter);
        DrawCoolingChart(canvas, image.width(), image.height(), texts, messages, listener, &points);
    }
    state.counters["points"] = static_cast<double>(points.size());
}

BENCHMARK(BM_DefaultCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenMillionSteps)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TenMillionStepsObserved)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ChartTenMillionSteps)->Unit(benchmark::kMillisecond)->Iterations(2);
}  // namespace
