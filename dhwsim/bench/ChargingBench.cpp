// Speed of the charging simulation: a run that never reaches its target makes
// as many steps as the limit allows (ten million at the defaults).
#include "dhwsim/ChargingChart.h"
#include "dhwsim/ChargingModel.h"
#include "dhwsim/tests/TankInputs.h"

#include "charts/ChartFrame.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/testing/SampleReports.h"

#include "core/Numbers.h"

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

// The simulation's report: its three charts drawn onto the PDF by the chart
// windows' own drawing code, each running the model twice to the limit.
void BM_ReportAtTheLimit(benchmark::State& state) {
    NeverReached run(state.range(0), true);
    auto& [w, settings, sink, model] = run;

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
