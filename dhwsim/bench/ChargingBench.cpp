// Speed of the charging simulation: a run that never reaches its target makes
// as many steps as the limit allows (ten million at the defaults).
#include "dhwsim/ChargingChart.h"
#include "dhwsim/ChargingModel.h"
#include "dhwsim/tests/TankInputs.h"

#include "core/Numbers.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace vimtal::dhwsim {
namespace {

// Water heating to the mean source temperature with losses: the tank settles
// just below it, so the run goes to the limit. The flow is derived from the
// power as the window derives it when the power is typed.
struct NeverReached {
    NeverReached(std::int64_t limit, bool losses) {
        SetDecimalSeparator(',');
        model.PowerToFlow({w.initialTemperature, w.supplyTemperature, w.returnTemperature}, &w.power, false, sink);
        settings.limit = std::to_string(limit);
        settings.losses = losses;
    }
    WindowInputs w = TankInputs("1,2", "0,5", "10", "80");
    SimulationSettings settings;
    RecordingMessageSink sink;
    ChargingModel model;
};

void BM_RunToTheLimit(benchmark::State& state) {
    NeverReached run(state.range(0), state.range(1) != 0);
    for (auto _ : state) {
        const RunReport report = run.model.Run(run.w, run.settings, run.sink);
        benchmark::DoNotOptimize(report.stop);
    }
    state.counters["steps"] = static_cast<double>(run.model.state().t);
    state.counters["tw"] = run.model.state().tw;
}
// With losses and without.
BENCHMARK(BM_RunToTheLimit)->Args({10000000, 1})->Args({10000000, 0})->Unit(benchmark::kMillisecond)->Iterations(3);

// A full paint of the chart at the largest zoom: two runs of ten million
// steps each and the curve drawn from the second.
void BM_ChartPaintToTheLimit(benchmark::State& state) {
    NeverReached run(state.range(0), true);
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

int main(int argc, char** argv) {
    // Text on the chart needs fonts, hence an application; no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
