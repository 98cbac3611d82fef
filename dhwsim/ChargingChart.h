// The three charts of the tank charging simulation, drawn on the shared
// chart frame: the water temperature over time ("tw=f(t)", kind 1), the
// source power over time ("Qzr=f(t)", kind 2) and the source power over the
// water temperature ("Qzr=f(tw)", kind 3).
//
// Each drawing runs the model twice from the window's inputs, once to find
// where the axes end, once to draw the curve step by step; no step is
// stored. The origin stands for time 0, 0 degrees C and 0 kW.
#pragma once

#include "charts/ChartFrame.h"
#include "core/Messages.h"
#include "dhwsim/ChargingModel.h"

#include <functional>
#include <vector>

namespace vimtal::dhwsim {

struct ChartDrawing {
    bool prepared = false;  // false: a check refused the inputs, nothing drawn
    bool scaled = false;    // false: an axis would end at 0, only the frame drawn
    long long segments = 0;  // curve segments drawn
};

// Draws chart `kind` (1, 2 or 3) on a W x H paint box, scaled by
// ChargingChartScale. The checks' messages go to `messages`; the first
// pass's results go to `firstPass` before the ticks and the curve are drawn;
// the curve's points, in the units of the axes, to `points`. Conversion and
// floating-point errors are thrown, leaving what was drawn so far.
ChartDrawing DrawChargingChart(charts::Canvas& canvas, int W, int H, int kind, ChargingModel& model,
                               const WindowInputs& window, const SimulationSettings& settings,
                               MessageSink& messages, const std::function<void(const ResultTexts&)>& firstPass,
                               std::vector<charts::PlotPoint>* points = nullptr);

}  // namespace vimtal::dhwsim
