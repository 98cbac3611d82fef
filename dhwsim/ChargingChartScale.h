// Scales of the three charging charts: tw = f(t) (kind 1), Qzr = f(t)
// (kind 2) and Qzr = f(tw) (kind 3), on a paint area of W x H pixels.
//
// Both axes start at 0 at the origin (20, H - 20): time 0, 0 degC, 0 kW. The
// first pass of the model tells where they end: the horizontal axis at the
// end time tend (kinds 1, 2) or the end temperature twend (kind 3), the
// vertical one at twend (kind 1) or the nominal power Q (kinds 2, 3); each
// end lies 40 pixels before the edge. Ten ticks run along the horizontal
// axis, labelled in minutes (time) or degC. Up the vertical axis a tick every
// 5 degC up to the target temperature tk when kind 1 charges towards it;
// otherwise ten ticks. Labels keep one decimal.
#pragma once

#include "charts/ChartScale.h"

#include <vector>

namespace vimtal::dhwsim {

struct ChargingChartEnds {
    double tend = 0;   // time at the end of the first pass, s
    double twend = 0;  // water temperature then, degC
    double Q = 0;      // nominal power of the source, kW
    double tk = 0;     // target temperature, degC (kind 1 towards it)
};

class ChargingChartScale {
public:
    ChargingChartScale(int W, int H, int kind, bool towardsTemperature, const ChargingChartEnds& ends);

    // False when an axis would end at 0: there is no scale, and the chart
    // shows its frame only.
    bool Scaled() const { return scaled_; }

    double sx() const { return sx_; }  // pixels per s or per degC
    double sy() const { return sy_; }  // pixels per degC or per kW
    double xStep() const { return xStep_; }
    double yStep() const { return yStep_; }

    // Empty without a scale.
    std::vector<charts::ChartTick> HorizontalTicks() const;
    // Those of the vertical ticks that can be seen; empty without a scale.
    std::vector<charts::ChartTick> VerticalTicks() const;

private:
    int H_;
    int kind_;
    bool scaled_ = false;
    double sx_ = 0, sy_ = 0, xStep_ = 0, yStep_ = 0;
    int yTicks_ = 10;
};

}  // namespace vimtal::dhwsim
