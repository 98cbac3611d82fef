#include "dhwsim/ChargingChart.h"

#include "core/FloatingPoint.h"
#include "core/ui/Text.h"
#include "dhwsim/ChargingChartScale.h"

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

}  // namespace

ChartDrawing DrawChargingChart(charts::Canvas& canvas, int W, int H, int kind, ChargingModel& model,
                               const WindowInputs& window, const SimulationSettings& settings,
                               MessageSink& messages, const std::function<void(const ResultTexts&)>& firstPass,
                               std::vector<charts::PlotPoint>* points) {
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
    const ChargingChartEnds ends{model.state().t, model.state().tw, model.inputs().Q, model.inputs().tk};
    firstPass(model.ChartResults());
    const Inputs& in = model.inputs();
    const ChargingChartScale scale(W, H, kind, in.criterion == Criterion::TargetTemperature, ends);
    if (!scale.Scaled()) return drawing;
    drawing.scaled = true;
    for (const charts::ChartTick& tick : scale.HorizontalTicks()) {
        charts::DrawHorizontalTick(canvas, H, tick.position, tick.labelPosition, FromStd(tick.label));
    }
    for (const charts::ChartTick& tick : scale.VerticalTicks()) {
        charts::DrawVerticalTick(canvas, W, tick.position, tick.labelPosition, FromStd(tick.label));
    }
    const double sx = scale.sx(), sy = scale.sy();

    // Second pass: the curve, a point after every step. The source power of
    // a step is its heat over the time step.
    model.Restart();
    charts::Curve curve(canvas, points);
    const real dtau = in.dtau;
    // The point of a state in the units of the axes: minutes, degC, kW.
    auto value = [&](const State& s) {
        const double power = fp::Store(fp::Div(s.Es, dtau));
        switch (kind) {
        case 1: return charts::PlotPoint{fp::Store(fp::Div(s.t, 60.0L)), s.tw};
        case 2: return charts::PlotPoint{fp::Store(fp::Div(s.t, 60.0L)), power};
        default: return charts::PlotPoint{s.tw, power};
        }
    };
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
    curve.MoveTo(x, y, value(model.state()));
    model.Advance([&](const State& s) {
        point(s, x, y);
        curve.LineTo(x, y, [&] { return value(s); });
    });
    drawing.segments = curve.SegmentsDrawn();
    return drawing;
}

}  // namespace vimtal::dhwsim
