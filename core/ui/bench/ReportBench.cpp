// Speed of the calculation reports: laying out and writing the PDF of a
// report with three charts fed ten million points each (the simulation's
// step limit), and of a circuit of 101 fittings in eleven columns.
#include "charts/ChartFrame.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/testing/SampleReports.h"

#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace vimtal {
namespace {

// A chart whose curve is fed `steps` points, as a simulation feeds it: a
// rise to a plateau with a ripple, so it crosses many pixels.
ChartPainter LongChart(long long steps, long long* segments) {
    return [steps, segments](QPainter& painter, const QRect& target) {
        const QSize grid = charts::PageChartSize(target, painter.device()->logicalDpiX());
        charts::DrawChartOnPage(painter, target, grid.width(), grid.height(), [&](charts::Canvas& canvas, int W, int H) {
            charts::DrawFrame(canvas, W, H, {QStringLiteral("tw [C]"), QStringLiteral("t [min]"), QStringLiteral("tw=f(t)")});
            for (int i = 1; i <= 10; ++i) {
                const int x = 20 + (W - 60) * i / 10;
                charts::DrawHorizontalTick(canvas, H, x, x - 5, QString::number(i * 6));
                const int y = H - 20 - (H - 60) * i / 10;
                charts::DrawVerticalTick(canvas, W, y, y - 6, QString::number(i * 8));
            }
            charts::Curve curve(canvas);
            const double sx = (W - 60.0) / static_cast<double>(steps);
            const double sy = H - 60.0;
            curve.MoveTo(20, H - 20);
            for (long long s = 1; s <= steps; ++s) {
                const double u = static_cast<double>(s) / static_cast<double>(steps);
                const double v = (1 - std::exp(-5 * u)) * (0.9 + 0.1 * std::sin(40 * u));
                curve.LineTo(20 + charts::Nearest(static_cast<double>(s) * sx), H - 20 - charts::Nearest(v * sy));
            }
            *segments += curve.SegmentsDrawn();
        });
    };
}

void BM_ReportWithThreeChartsOfTenMillionPoints(benchmark::State& state) {
    const long long steps = state.range(0);
    long long segments = 0;
    Report report{ReportDocument("Symulacja czasu ładowania zbiornika C.W.U"), {}};
    auto& inputs = report.document.Inputs();
    for (int i = 0; i < 14; ++i) inputs.Add("Wielkość wejściowa " + std::to_string(i + 1), "x", "12,5", "kW");
    inputs.Choice("Ogrzewanie", "wodne").Choice("Straty ciepła", "uwzględniane");
    auto& results = report.document.Results();
    for (int i = 0; i < 6; ++i) results.Add("Wynik " + std::to_string(i + 1), "y", "35,2", "min");
    const char* ids[] = {"tw", "Qzr_t", "Qzr_tw"};
    for (const char* id : ids) {
        report.document.AddChart(id, std::string("Wykres ") + id, 500, 305);
        report.charts[id] = LongChart(steps, &segments);
    }
    qsizetype bytes = 0;
    for (auto _ : state) {
        segments = 0;
        const QByteArray pdf = ReportPdf(report, testing::StoppedClock());
        bytes = pdf.size();
    }
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_ReportWithThreeChartsOfTenMillionPoints)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CircuitReportOf101Fittings(benchmark::State& state) {
    const Report report = testing::CircuitReport(101, "Trójnik prostokątny - odgałęzienie");
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = ReportPdf(report, testing::StoppedClock());
        bytes = pdf.size();
    }
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_CircuitReportOf101Fittings)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace vimtal
