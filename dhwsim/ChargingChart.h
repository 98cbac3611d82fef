// The three charts of the tank charging simulation, drawn on the shared
// chart frame: the water temperature over time ("tw=f(t)", kind 1), the
// source power over time ("Qzr=f(t)", kind 2) and the source power over the
// water temperature ("Qzr=f(tw)", kind 3).
//
// Each drawing simulates twice from the prepared inputs, once to find where
// the axes end, once to draw the curve step by step; no step is stored. The origin stands for time 0, 0 degrees C and 0 kW.
#pragma once

#include "charts/ChartFrame.h"
#include "dhwsim/ChargingChartScale.h"
#include "dhwsim/ChargingModel.h"

#include <QPoint>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace vimtal::dhwsim {

struct ChartDrawing {
    bool scaled = false;    // false: an axis would end at 0, only the frame drawn
    long long segments = 0;  // curve segments drawn
};

// Draws chart `kind` (1, 2 or 3) of the prepared inputs on a W x H paint
// box, scaled by ChargingChartScale. The first pass's result goes to
// `firstPass` before the ticks and the curve are drawn; the curve's points,
// in the units of the axes, to `points`. Floating-point errors are thrown,
// leaving what was drawn so far. With a `control`, the two passes report
// to it as the two halves of the work, and a stop request throws Cancelled.
ChartDrawing DrawChargingChart(charts::Canvas& canvas, int W, int H, int kind, const Inputs& inputs,
                               const std::function<void(const Result&)>& firstPass,
                               std::vector<charts::PlotPoint>* points = nullptr, RunControl* control = nullptr);

// The three charts of one simulation, for a report that shows them side by
// side: each drawn as DrawChargingChart draws it, with the first pass's
// result going nowhere.
//
// The charts share their first pass (the same inputs end at the same
// place), made once when the first chart is drawn; and at one chart size the
// curves of all three kinds are traced in one second pass, each kept as the
// pixels its curve is drawn through. So three charts of a run to the
// ten-million-step limit cost two runs instead of six.
class ChargingCharts {
public:
    explicit ChargingCharts(const Inputs& inputs) : inputs_(inputs) {}

    // Draws chart `kind` (1, 2 or 3) on a W x H paint box: its frame, ticks
    // and curve, the same strokes DrawChargingChart makes. Floating-point
    // errors of a pass are thrown; a pass made under a `control` reports to
    // it as one of the two halves of the work, and a stop request throws
    // Cancelled, keeping nothing of that pass.
    ChartDrawing Draw(charts::Canvas& canvas, int W, int H, int kind, RunControl* control = nullptr);

    // Passes of the simulation made so far (tests: two for any number of
    // charts of one size).
    int Passes() const { return passes_; }

private:
    // The pixels each kind's curve goes through at one chart size: its
    // start, then every pixel the curve moves to.
    struct Traced {
        int W = 0, H = 0;
        std::array<std::vector<QPoint>, 3> curves;
    };
    const Traced& Trace(int W, int H, RunControl* control);

    const Inputs inputs_;
    std::optional<ChargingChartEnds> ends_;
    std::optional<Traced> traced_;
    int passes_ = 0;
};

}  // namespace vimtal::dhwsim
