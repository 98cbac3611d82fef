#include "dhwsim/ChargingChartScale.h"

#include "core/FloatingPoint.h"
#include "core/Numbers.h"
#include "core/Pixels.h"

namespace vimtal::dhwsim {

using fp::real;

namespace {
std::string Label(real value) { return RoundedDisplay(fp::Store(value), -1); }
}  // namespace

ChargingChartScale::ChargingChartScale(int W, int H, int kind, bool towardsTemperature, const ChargingChartEnds& ends)
    : H_(H), kind_(kind) {
    // What each axis runs to: time, temperature or the nominal power.
    const double xEnd = kind == 3 ? ends.twend : ends.tend;
    const double yEnd = kind == 1 ? ends.twend : ends.Q;
    // A range of nothing has no scale.
    scaled_ = xEnd != 0 && yEnd != 0;
    if (!scaled_) return;

    sx_ = fp::Store(fp::Div(static_cast<real>(W) - 60, xEnd));
    sy_ = fp::Store(fp::Div(static_cast<real>(H) - 60, yEnd));
    xStep_ = fp::Store(fp::Div(xEnd, 10.0L));
    if (kind == 1 && towardsTemperature) {
        // A tick every 5 degrees up to tk; none when tk / 5 rounds to 0 or less.
        yStep_ = 5;
        yTicks_ = NearestPixel(fp::Div(ends.tk, 5.0L));
    } else {
        yStep_ = fp::Store(fp::Div(yEnd, 10.0L));
    }
}

std::vector<charts::ChartTick> ChargingChartScale::HorizontalTicks() const {
    if (!scaled_) return {};
    // Time in minutes; temperature as it is.
    const bool minutes = kind_ != 3;
    return charts::HorizontalTicks(xStep_, sx_,
                                   [minutes](real along) { return Label(minutes ? fp::Div(along, 60.0L) : along); });
}

std::vector<charts::ChartTick> ChargingChartScale::VerticalTicks() const {
    if (!scaled_) return {};
    return charts::VerticalTicks(H_, yTicks_, yStep_, sy_, [](real up) { return Label(up); });
}

}  // namespace vimtal::dhwsim
