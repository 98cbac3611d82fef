// The i-x chart's costs: what a resize or a new range redraws, and what a
// mouse move computes.
#include <benchmark/benchmark.h>

#include "aircalc/IxChartPainter.h"
#include "core/Numbers.h"

#include <QImage>
#include <QPainter>

#include <string>

namespace vimtal {
namespace {

using namespace aircalc;

IxOverlay StateK() {
    AirState state;
    SetDecimalSeparator(',');
    Calculate(state, {"", "", "20", "50", "101300"});
    return CalculatorOverlay(state, kIxDefaultPressure);
}

// A new size: layout and every line and text drawn into the kept image
// (at a device pixel ratio of 1 or 2), then the overlay.
void BM_RedrawAtSize(benchmark::State& state) {
    const qreal ratio = static_cast<qreal>(state.range(0));
    const IxPicture picture{ComputeIxLines({}, kIxDefaultPressure), StateK(), false};
    QImage image(QSize(1600, 1000) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintIxChart(painter, 1600, 1000, picture);
    }
}
BENCHMARK(BM_RedrawAtSize)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A new range or pressure: the line families computed, then drawn.
void BM_NewRange(benchmark::State& state) {
    const IxOverlay overlay = StateK();
    QImage image(1600, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        const IxPicture picture{ComputeIxLines({}, kIxDefaultPressure), overlay, state.range(0) != 0};
        QPainter painter(&image);
        PaintIxChart(painter, 1600, 1000, picture);
    }
}
BENCHMARK(BM_NewRange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A chain of 22 states and 20 processes over the chart: the names placed
// clear of each other, of the marks, the arrows and the chart's texts.
void BM_ChainLabels(benchmark::State& state) {
    const IxLines lines = ComputeIxLines({}, kIxDefaultPressure);
    const IxMeasure measure = IxFontMeasure();
    const IxLayout layout = LayOutIxChart(lines, 1040, 700, measure, false);
    IxOverlay overlay;
    for (int k = 0; k < 22; ++k) {
        const double t = -15 + 3 * k, x = 0.001 + 0.0004 * k * (k % 3 + 1);
        overlay.points.push_back({IxPointOf(t, x), "P" + std::to_string(k), false, false});
        if (k > 1) overlay.segments.push_back({overlay.points[k - 1].at, overlay.points[k].at, IxOverlay::Stroke::Arrow});
    }
    for (auto _ : state) benchmark::DoNotOptimize(PlaceOverlayLabels(overlay, layout.transform, measure, layout.labels));
}
BENCHMARK(BM_ChainLabels)->Unit(benchmark::kMillisecond);

void BM_LineFamilies(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ComputeIxLines({}, kIxDefaultPressure));
}
BENCHMARK(BM_LineFamilies)->Unit(benchmark::kMillisecond);

// The mouse readout: one state, its wet-bulb search included (a warm state
// searches longest).
void BM_Readout(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadingAt(IxPointOf(45, 0.02), kIxDefaultPressure));
}
BENCHMARK(BM_Readout)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vimtal
