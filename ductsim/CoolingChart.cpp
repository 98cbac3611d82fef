#include "CoolingChart.h"

#include "core/FloatingPoint.h"
#include "core/Numbers.h"

#include <algorithm>

namespace vimtal::ductsim {

namespace {
using fp::real;

// Nearest whole pixel, ties to even. A point of a diverging run (a time step
// far too long for the duct) may lie far outside the paint area; it is kept
// a million pixels away, where it is clipped like any other.
//
// The chart maps every step of a run (up to a hundred million), so the
// rounding avoids the library's nearbyintl, which saves and restores the
// whole floating-point environment each time: adding and subtracting 1.5 *
// 2^63 leaves a long double (64-bit mantissa) rounded to a whole number in
// the default mode, to nearest with ties to even, exactly as nearbyintl
// would. The whole number then converts exactly through a double.
int Pixel(real value) {
    if (!(value == value)) return static_cast<int>(fp::Round(value));  // NaN: invalid operation
    const real shifted = std::clamp(value, -1.0e6L, 1.0e6L) + 0x1.8p63L;
    const real whole = shifted - 0x1.8p63L;
    return static_cast<int>(static_cast<double>(whole));
}
}  // namespace

CoolingChartScale::CoolingChartScale(int W, int H, double ti, double te, const RunResult& firstRun)
    : H_(H), te_(te) {
    const double tauEnd = firstRun.totalTime;
    const double tk = firstRun.finalTemperature;
    const bool cooling = tk < ti;
    sx_ = fp::Store(fp::Div(W - 60, tauEnd));
    const real span = cooling ? static_cast<real>(ti) - te : static_cast<real>(tk) - te;
    if (span == 0.0L) {
        // ti = te: no heat passes and the curve lies on the time axis.
        hasTemperatureScale_ = false;
        sy_ = 0.0;
    } else {
        sy_ = fp::Store(fp::Div(H - 60, span));
    }
    dtau_ = fp::Store(fp::Div(tauEnd, 10.0L));
    dT_ = cooling ? fp::Store(fp::Div(span, 10.0L)) : fp::Store(fp::Div(RoundTo(fp::Store(span), 1), 10.0L));
}

int CoolingChartScale::X(double tau) const { return Pixel(static_cast<real>(tau) * sx_) + 20; }

int CoolingChartScale::Y(double t) const { return (H_ - 20) - Pixel((static_cast<real>(t) - te_) * sy_); }

std::vector<ChartTick> CoolingChartScale::TimeTicks() const {
    std::vector<ChartTick> ticks;
    for (int k = 1; k <= 10; ++k) {
        const real offset = k * static_cast<real>(dtau_) * sx_;
        ticks.push_back({Pixel(offset) + 20, Pixel(offset) + 15, RoundedDisplay(fp::Store(k * static_cast<real>(dtau_)), -3)});
    }
    return ticks;
}

std::vector<ChartTick> CoolingChartScale::TemperatureTicks() const {
    std::vector<ChartTick> ticks;
    if (!hasTemperatureScale_) return ticks;
    for (int k = 1; k <= 10; ++k) {
        const real offset = k * static_cast<real>(dT_) * sy_;
        ticks.push_back({Pixel((H_ - 20) - offset), Pixel((H_ - 26) - offset),
                         RoundedDisplay(fp::Store(te_ + k * static_cast<real>(dT_)), -1)});
    }
    return ticks;
}

}  // namespace vimtal::ductsim
