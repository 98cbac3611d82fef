#include "dhwsim/ChargingChart.h"

#include "core/FloatingPoint.h"
#include "core/Numbers.h"
#include "core/ui/Text.h"

namespace vimtal::dhwsim {

using fp::real;

namespace {

// A pixel coordinate; points far outside the window are held a million
// pixels away.
int Pixel(real value) { return charts::Nearest(value); }

// The pixel of a coordinate that moves a little at each step. Strictly
// inside (p - 1/2, p + 1/2) a value rounds to p whatever the ties rule, so
// rounding, which is slow in extended precision, is needed only when the
// value leaves that interval: ten million steps cross a few thousand.
class PixelTrack {
public:
    int operator()(real value) {
        if (value > low_ && value < high_) return pixel_;
        pixel_ = Pixel(value);
        low_ = static_cast<real>(pixel_) - 0.5L;
        high_ = static_cast<real>(pixel_) + 0.5L;
        return pixel_;
    }

private:
    int pixel_ = 0;
    real low_ = 1.0L;  // an empty interval: the first value is rounded
    real high_ = 0.0L;
};

QString Label(real value) { return FromStd(RoundedDisplay(fp::Store(value), -1)); }

}  // namespace

ChartDrawing DrawChargingChart(charts::Canvas& canvas, int W, int H, int kind, ChargingModel& model,
                               const WindowInputs& window, const SimulationSettings& settings,
                               MessageSink& messages, const std::function<void(const ResultTexts&)>& firstPass) {
    ChartDrawing drawing;
    if (!model.Prepare(window, settings, Purpose::Chart, messages)) return drawing;
    drawing.prepared = true;

    switch (kind) {
    case 1: charts::DrawFrame(canvas, W, H, {QStringLiteral("tw [C]"), QStringLiteral("t [min]"), QStringLiteral("tw=f(t)")}); break;
    case 2: charts::DrawFrame(canvas, W, H, {QStringLiteral("Qzr [kW]"), QStringLiteral("t [min]"), QStringLiteral("Qzr=f(t)")}); break;
    default: charts::DrawFrame(canvas, W, H, {QStringLiteral("Qzr [kW]"), QStringLiteral("tw [C]"), QStringLiteral("Qzr=f(tw)")}); break;
    }

    // First pass: where the axes end.
    model.Advance();
    const double tend = model.state().t;
    const double twend = model.state().tw;
    firstPass(model.ChartResults());

    const Inputs& in = model.inputs();
    const bool targetTemperature = in.criterion == Criterion::TargetTemperature;
    // What each axis runs to: time, temperature or the nominal power.
    const double xEnd = kind == 3 ? twend : tend;
    const double yEnd = kind == 1 ? twend : in.Q;
    // A range of nothing has no scale: the frame stays empty.
    if (xEnd == 0 || yEnd == 0) return drawing;
    drawing.scaled = true;

    const double sx = fp::Store(fp::Div(static_cast<real>(W) - 60, xEnd));
    const double sy = fp::Store(fp::Div(static_cast<real>(H) - 60, yEnd));
    const double xStep = fp::Store(fp::Div(xEnd, 10.0L));
    double yStep = 0;
    int yTicks = 10;
    if (kind == 1 && targetTemperature) {
        yStep = 5;
        yTicks = Pixel(fp::Div(in.tk, 5.0L));  // a tick every 5 degrees up to tk; none when tk/5 rounds to 0 or less
    } else {
        yStep = fp::Store(fp::Div(yEnd, 10.0L));
    }

    for (int i = 1; i <= 10; ++i) {
        const real along = static_cast<real>(i) * xStep;
        const int x = Pixel(along * sx);
        // Time in minutes; temperature as it is.
        const QString label = kind == 3 ? Label(along) : Label(fp::Div(along, 60.0L));
        charts::DrawHorizontalTick(canvas, H, x + 20, x + 15, label);
    }
    for (int i = 1; i <= yTicks; ++i) {
        const real up = static_cast<real>(i) * yStep;
        const real height = up * sy;
        const int y = Pixel((H - 20) - height);
        // Ticks above the top edge, label and all, draw nothing.
        if (sy > 0 && y < -20) break;
        charts::DrawVerticalTick(canvas, W, y, Pixel((H - 26) - height), Label(up));
    }

    // Second pass: the curve, a point after every step. The source power of
    // a step is its heat over the time step.
    model.Restart();
    charts::Curve curve(canvas);
    const real dtau = in.dtau;
    PixelTrack across, up;
    auto point = [&](const State& s, int& x, int& y) {
        switch (kind) {
        case 1:
            x = across(static_cast<real>(s.t) * sx) + 20;
            y = H - up(static_cast<real>(s.tw) * sy) - 20;
            break;
        case 2:
            x = across(static_cast<real>(s.t) * sx) + 20;
            y = H - up(fp::Div(s.Es, dtau) * sy) - 20;
            break;
        default:
            x = across(static_cast<real>(s.tw) * sx) + 20;
            y = H - up(fp::Div(s.Es, dtau) * sy) - 20;
            break;
        }
    };
    int x = 0, y = 0;
    point(model.state(), x, y);
    curve.MoveTo(x, y);
    model.Advance([&](const State& s) {
        point(s, x, y);
        curve.LineTo(x, y);
    });
    drawing.segments = curve.SegmentsDrawn();
    return drawing;
}

}  // namespace vimtal::dhwsim
