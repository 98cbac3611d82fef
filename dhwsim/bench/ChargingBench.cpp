// Speed of the charging simulation: a run that never reaches its target makes
// as many steps as the limit allows (ten million at the defaults).
#include "dhwsim/ChargingChart.h"
#include "dhwsim/ChargingModel.h"

#include "core/Numbers.h"

#include <QImage>
#include <QPainter>

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

// The model with NeverReached()'s source, to run `limit` steps.
struct ToTheLimit {
    explicit ToTheLimit(std::int64_t limit) {
        SetDecimalSeparator(',');
        const std::string power = w.power;
        model.PowerToFlow({w.initialTemperature, w.supplyTemperature, w.returnTemperature}, &power, false, sink);
        settings.limit = std::to_string(limit);
    }
    RecordingMessageSink sink;
    ChargingModel model;
    const WindowInputs w = NeverReached();
    SimulationSettings settings;
};

void RunToTheLimit(benchmark::State& state, bool losses) {
    ToTheLimit run(state.range(0));
    run.settings.losses = losses;
    for (auto _ : state) {
        const RunReport report = run.model.Run(run.w, run.settings, run.sink);
        benchmark::DoNotOptimize(report.stop);
    }
    state.counters["steps"] = static_cast<double>(run.model.state().t);
    state.counters["tw"] = run.model.state().tw;
}

void BM_RunToTheLimitWithLosses(benchmark::State& state) { RunToTheLimit(state, true); }
BENCHMARK(BM_RunToTheLimitWithLosses)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RunToTheLimitWithoutLosses(benchmark::State& state) { RunToTheLimit(state, false); }
BENCHMARK(BM_RunToTheLimitWithoutLosses)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3);

// One computation of the chart at the largest zoom: two runs of ten million
// steps each and the curve drawn from the second.
void BM_ChartPaintToTheLimit(benchmark::State& state) {
    ToTheLimit run(state.range(0));
    const int kind = static_cast<int>(state.range(1));
    QImage image(1074, 655, QImage::Format_RGB32);
    long long segments = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        charts::Canvas canvas(painter);
        const ChartDrawing drawing = DrawChargingChart(canvas, image.width(), image.height(), kind, run.model, run.w,
                                                       run.settings, run.sink, [](const ResultTexts&) {});
        segments = drawing.segments;
    }
    state.counters["segments"] = static_cast<double>(segments);
}
BENCHMARK(BM_ChartPaintToTheLimit)
    ->Args({10000000, 1})
    ->Args({10000000, 2})
    ->Args({10000000, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
}  // namespace vimtal::dhwsim
