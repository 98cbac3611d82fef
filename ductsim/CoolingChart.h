// Scales of the cooling chart ti = f(t): where a point (tau, t) of a run lands
// in a paint area of W x H pixels, and the ten ticks of each axis.
//
// The origin is at (20, H - 20); the time axis is the line of the surrounding
// temperature te. The time scale puts the end of the run 40 pixels before the
// right edge. The temperature scale spans ti - te when the air cools (ti then
// lies 40 pixels below the top edge), tk - te otherwise, and its tick step is
// (tk - te) rounded to a multiple of ten, divided by ten. Pixels are rounded
// to the nearest whole number, ties to even.
#pragma once

#include "charts/ChartScale.h"
#include "ductsim/DuctModel.h"

#include <vector>

namespace vimtal::ductsim {

class CoolingChartScale {
public:
    // From the first run of the chart (its end time and final temperature).
    CoolingChartScale(int W, int H, double ti, double te, const RunResult& firstRun);

    int X(double tau) const;
    int Y(double t) const;

    // k = 1 to 10, labelled in seconds to 0.001; the origin carries no label.
    std::vector<charts::ChartTick> TimeTicks() const;
    // k = 1 to 10, labelled te + k dT to 0.1 degC. Empty when the air
    // neither cools nor warms (ti = te): a temperature scale needs a span.
    std::vector<charts::ChartTick> TemperatureTicks() const;

    double sx() const { return sx_; }
    double sy() const { return sy_; }
    double timeStep() const { return dtau_; }
    double temperatureStep() const { return dT_; }

private:
    int H_;
    double te_;
    double sx_ = 0, sy_ = 0, dtau_ = 0, dT_ = 0;
    bool hasTemperatureScale_ = true;
};

}  // namespace vimtal::ductsim
