// The plain parts of the charts' scales, shared by the chart models (no Qt):
// the ticks along the two axes and the points a curve is drawn through.
//
// Both charts have their origin at (20, H - 20) of a W x H paint area and
// ten ticks along the horizontal axis; tick k sits k * step * scale pixels
// from the origin, rounded to the nearest pixel (halves to even, core/Pixels.h).
#pragma once

#include "core/FloatingPoint.h"
#include "core/Pixels.h"

#include <string>
#include <vector>

namespace vimtal::charts {

struct ChartTick {
    int position = 0;       // x of a horizontal-axis tick, y of a vertical-axis tick
    int labelPosition = 0;  // x (horizontal) or y (vertical) of the label's top left corner
    std::string label;
};

// A point of a curve in the units of the chart's axes (the x of "t [min]" in
// minutes, the y of "Qzr [kW]" in kW).
struct PlotPoint {
    double x = 0;
    double y = 0;
};

// The ten ticks of the horizontal axis: tick k at the offset k * step * sx
// right of the origin, its label 5 pixels left of the tick. `label` gets
// k * step.
template <typename Label>
std::vector<ChartTick> HorizontalTicks(double step, double sx, Label&& label) {
    std::vector<ChartTick> ticks;
    for (int k = 1; k <= 10; ++k) {
        const fp::real along = k * static_cast<fp::real>(step);
        const int offset = NearestPixel(along * sx);
        ticks.push_back({offset + 20, offset + 15, label(along)});
    }
    return ticks;
}

// Up to `count` ticks up the vertical axis of a paint area H pixels high:
// tick k at k * step * sy above the origin, its label 6 pixels higher. A
// tick above the top edge, label and all, ends the ticks (a target far above
// the scale would otherwise ask for a million). `label` gets k * step.
template <typename Label>
std::vector<ChartTick> VerticalTicks(int H, int count, double step, double sy, Label&& label) {
    std::vector<ChartTick> ticks;
    for (int k = 1; k <= count; ++k) {
        const fp::real up = k * static_cast<fp::real>(step);
        const fp::real height = up * sy;
        const int y = NearestPixel((H - 20) - height);
        if (sy > 0 && y < -20) break;
        ticks.push_back({y, NearestPixel((H - 26) - height), label(up)});
    }
    return ticks;
}

}  // namespace vimtal::charts
