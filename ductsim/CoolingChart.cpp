#include "CoolingChart.h"

#include "core/FloatingPoint.h"
#include "core/Numbers.h"
#include "core/Pixels.h"

namespace vimtal::ductsim {

namespace {
using fp::real;

// Nearest whole pixel, ties to even; far points held a million pixels away.
int Pixel(real value) { return NearestPixel(value); }
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

std::vector<charts::ChartTick> CoolingChartScale::TimeTicks() const {
    return charts::HorizontalTicks(dtau_, sx_, [](real along) { return RoundedDisplay(fp::Store(along), -3); });
}

std::vector<charts::ChartTick> CoolingChartScale::TemperatureTicks() const {
    if (!hasTemperatureScale_) return {};
    return charts::VerticalTicks(H_, 10, dT_, sy_, [this](real up) { return RoundedDisplay(fp::Store(te_ + up), -1); });
}

}  // namespace vimtal::ductsim
