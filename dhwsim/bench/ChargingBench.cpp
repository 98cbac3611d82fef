// Speed of the charging simulation: a run that never reaches its target makes
// as many steps as the limit allows (ten million at the defaults).
#include "dhwsim/ChargingChart.h"
#include "dhwsim/ChargingModel.h"

#include "charts/ChartFrame.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/testing/SampleReports.h"

#include "core/Numbers.h"

#include <QGuiApplication>
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

// The model prepared for a run to the step limit `limit`.
struct LimitRun {
    explicit LimitRun(long long limit) {
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

void BM_RunToTheLimitWithLosses(benchmark::State& state) {
    LimitRun run(state.range(0));
    auto& [sink, model, w, settings] = run;
    for (auto _ : state) {
        const RunReport report = model.Run(w, settings, sink);
        benchmark::DoNotOptimize(report.stop);
    }
    state.counters["steps"] = static_cast<double>(model.state().t);
    state.counters["tw"] = model.state().tw;
}
BENCHMARK(BM_RunToTheLimitWithLosses)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RunToTheLimitWithoutLosses(benchmark::State& state) {
    LimitRun run(state.range(0));
    auto& [sink, model, w, settings] = run;
    settings.losses = false;
    for (auto _ : state) {
        const RunReport report = model.Run(w, settings, sink);
        benchmark::DoNotOptimize(report.stop);
    }
}
BENCHMARK(BM_RunToTheLimitWithoutLosses)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A full paint of the chart at the largest zoom: two runs of ten million
// steps each and the curve drawn from the second.
void BM_ChartPaintToTheLimit(benchmark::State& state) {
    LimitRun run(state.range(0));
    auto& [sink, model, w, settings] = run;
    const int kind = static_cast<int>(state.range(1));
    QImage image(1074, 655, QImage::Format_RGB32);
    long long segments = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        charts::Canvas canvas(painter);
        const ChartDrawing drawing = DrawChargingChart(canvas, image.width(), image.height(), kind, model, w,
                                                       settings, sink, [](const ResultTexts&) {});
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

// The simulation's report: its three charts drawn onto the PDF by the chart
// windows' own drawing code, each running the model twice to the limit.
void BM_ReportAtTheLimit(benchmark::State& state) {
    LimitRun run(state.range(0));
    auto& [sink, model, w, settings] = run;

    Report report{ReportDocument("Symulacja czasu ładowania zbiornika C.W.U"), {}};
    report.document.Inputs()
        .Add("Wysokość zasobnika", "H", w.height, "m")
        .Add("Średnica zasobnika", "D", w.diameter, "m")
        .Add("Moc źródła", "Q", w.power, "kW")
        .Choice("Ogrzewanie", "wodne");
    report.document.Results();
    long long segments = 0;
    for (int kind = 1; kind <= 3; ++kind) {
        const std::string id = std::to_string(kind);
        report.document.AddChart(id, "Wykres " + id, 500, 305);
        report.charts[id] = [&, kind](QPainter& painter, const QRect& target) {
            const QSize grid = charts::PageChartSize(target, painter.device()->logicalDpiX());
            charts::DrawChartOnPage(painter, target, grid.width(), grid.height(), [&](charts::Canvas& canvas, int W, int H) {
                segments += DrawChargingChart(canvas, W, H, kind, model, w, settings, sink, [](const ResultTexts&) {}).segments;
            });
        };
    }
    qsizetype bytes = 0;
    for (auto _ : state) {
        segments = 0;
        bytes = ReportPdf(report, testing::StoppedClock()).size();
    }
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_ReportAtTheLimit)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);

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
