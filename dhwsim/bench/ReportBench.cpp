// Speed of the simulation's report: the three charts drawn onto the PDF by
// the chart windows' own drawing code, each running the model twice to the
// ten-million-step limit.
#include "charts/ChartFrame.h"
#include "core/Numbers.h"
#include "core/ui/ReportRenderer.h"
#include "dhwsim/ChargingChart.h"
#include "dhwsim/ChargingModel.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace vimtal::dhwsim {
namespace {

void BM_DhwReportAtTheStepLimit(benchmark::State& state) {
    SetDecimalSeparator(',');
    RecordingMessageSink sink;
    ChargingModel model;
    // Water heating to the mean source temperature with losses: the tank
    // settles just below it, so every run goes to the limit.
    WindowInputs w;
    w.height = "1,2";
    w.diameter = "0,5";
    w.power = "10";
    w.targetTemperature = "80";
    const std::string power = w.power;
    model.PowerToFlow({w.initialTemperature, w.supplyTemperature, w.returnTemperature}, &power, false, sink);
    SimulationSettings settings;
    settings.limit = std::to_string(state.range(0));

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
    ReportRenderOptions options;
    options.clock = [] { return QDateTime(QDate(2025, 3, 14), QTime(10, 42)); };
    qsizetype bytes = 0;
    for (auto _ : state) {
        segments = 0;
        bytes = ReportPdf(report, options).size();
    }
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_DhwReportAtTheStepLimit)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace vimtal::dhwsim

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
