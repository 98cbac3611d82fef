#include "dhwsim/ChargingChart.h"

#include "core/FloatingPoint.h"
#include "core/ui/Text.h"
#include "dhwsim/ChargingChartScale.h"

namespace vimtal::dhwsim {

using fp::real;

namespace {

// The pixel of a coordinate that moves a little at each step. Strictly
// inside (p - 1/2, p + 1/2) a value rounds to p whatever the ties rule, so
// rounding, which is slow in extended precision, is needed only when the
// value leaves that interval: ten million steps cross a few thousand.
class PixelTrack {
public:
    int operator()(real value) {
        if (value > low_ && value < high_) return pixel_;
        pixel_ = NearestPixel(value);  // far points held a million pixels away
        low_ = static_cast<real>(pixel_) - 0.5L;
        high_ = static_cast<real>(pixel_) + 0.5L;
        return pixel_;
    }

private:
    int pixel_ = 0;
    real low_ = 1.0L;  // an empty interval: the first value is rounded
    real high_ = 0.0L;
};

// The frame of chart `kind`: axes, titles and legend.
void DrawFrameOf(charts::Canvas& canvas, int W, int H, int kind) {
    switch (kind) {
    case 1: charts::DrawFrame(canvas, W, H, {QStringLiteral("tw [C]"), QStringLiteral("t [min]"), QStringLiteral("tw=f(t)")}); break;
    case 2: charts::DrawFrame(canvas, W, H, {QStringLiteral("Qzr [kW]"), QStringLiteral("t [min]"), QStringLiteral("Qzr=f(t)")}); break;
    default: charts::DrawFrame(canvas, W, H, {QStringLiteral("Qzr [kW]"), QStringLiteral("tw [C]"), QStringLiteral("Qzr=f(tw)")}); break;
    }
}

// Where the first pass ended: what the axes run to.
ChargingChartEnds EndsOf(const Inputs& in, const Result& first) { return {first.end.t, first.end.tw, in.Q, in.tk}; }

ChargingChartScale ScaleOf(int W, int H, int kind, const Inputs& in, const ChargingChartEnds& ends) {
    return ChargingChartScale(W, H, kind, in.criterion == Criterion::TargetTemperature, ends);
}

// The pixel of a state on the chart of `kind`: time, water temperature or
// the source power (the heat of a step over the time step) scaled from the
// origin at (20, H - 20).
class CurvePixels {
public:
    CurvePixels(int kind, int H, const ChargingChartScale& scale, real dtau)
        : kind_(kind), H_(H), sx_(scale.sx()), sy_(scale.sy()), dtau_(dtau) {}

    QPoint operator()(const State& s) {
        // Across first, then up (a braced list keeps the order).
        switch (kind_) {
        case 1: return {across_(static_cast<real>(s.t) * sx_) + 20, H_ - up_(static_cast<real>(s.tw) * sy_) - 20};
        case 2: return {across_(static_cast<real>(s.t) * sx_) + 20, H_ - up_(fp::Div(s.Es, dtau_) * sy_) - 20};
        default: return {across_(static_cast<real>(s.tw) * sx_) + 20, H_ - up_(fp::Div(s.Es, dtau_) * sy_) - 20};
        }
    }

private:
    int kind_;
    int H_;
    double sx_, sy_;
    real dtau_;
    PixelTrack across_, up_;
};

}  // namespace

ChartDrawing DrawChargingChart(charts::Canvas& canvas, int W, int H, int kind, const Inputs& in,
                               const std::function<void(const Result&)>& firstPass,
                               std::vector<charts::PlotPoint>* points, RunControl* control) {
    ChartDrawing drawing;
    DrawFrameOf(canvas, W, H, kind);

    // First pass: where the axes end.
    const Result first = SimulateWatched(in, RunWatch(control, 0, 2));
    firstPass(first);
    const ChargingChartScale scale = ScaleOf(W, H, kind, in, EndsOf(in, first));
    if (!scale.Scaled()) return drawing;
    drawing.scaled = true;
    charts::DrawTicks(canvas, W, H, scale.HorizontalTicks(), scale.VerticalTicks());

    // Second pass: the curve, a point after every step.
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
    CurvePixels pixel(kind, H, scale, dtau);
    const State start = InitialState(in);
    const QPoint from = pixel(start);
    curve.MoveTo(from.x(), from.y(), value(start));
    SimulateWatched(in, RunWatch(control, 1, 2), [&](const State& s) {
        const QPoint p = pixel(s);
        curve.LineTo(p.x(), p.y(), [&] { return value(s); });
    });
    drawing.segments = curve.SegmentsDrawn();
    return drawing;
}

ChartDrawing ChargingCharts::Draw(charts::Canvas& canvas, int W, int H, int kind, RunControl* control) {
    ChartDrawing drawing;
    DrawFrameOf(canvas, W, H, kind);
    if (!ends_) {
        ends_ = EndsOf(inputs_, SimulateWatched(inputs_, RunWatch(control, 0, 2)));
        ++passes_;
    }
    const ChargingChartScale scale = ScaleOf(W, H, kind, inputs_, *ends_);
    if (!scale.Scaled()) return drawing;
    drawing.scaled = true;
    charts::DrawTicks(canvas, W, H, scale.HorizontalTicks(), scale.VerticalTicks());

    const std::vector<QPoint>& path = Trace(W, H, control).curves[static_cast<std::size_t>(kind - 1)];
    charts::Curve curve(canvas);
    curve.MoveTo(path.front().x(), path.front().y());
    for (std::size_t i = 1; i < path.size(); ++i) curve.LineTo(path[i].x(), path[i].y());
    drawing.segments = curve.SegmentsDrawn();
    return drawing;
}

const ChargingCharts::Traced& ChargingCharts::Trace(int W, int H, RunControl* control) {
    if (traced_ && traced_->W == W && traced_->H == H) return *traced_;
    Traced traced;
    traced.W = W;
    traced.H = H;
    // The kinds that have a scale at this size, each with its own pixels.
    std::vector<std::pair<std::vector<QPoint>*, CurvePixels>> kinds;
    for (int kind = 1; kind <= 3; ++kind) {
        const ChargingChartScale scale = ScaleOf(W, H, kind, inputs_, *ends_);
        if (scale.Scaled()) {
            kinds.emplace_back(&traced.curves[static_cast<std::size_t>(kind - 1)],
                               CurvePixels(kind, H, scale, inputs_.dtau));
        }
    }
    const State start = InitialState(inputs_);
    for (auto& [curve, pixel] : kinds) curve->push_back(pixel(start));
    SimulateWatched(inputs_, RunWatch(control, 1, 2), [&](const State& s) {
        for (auto& [curve, pixel] : kinds) {
            const QPoint p = pixel(s);
            if (p != curve->back()) curve->push_back(p);
        }
    });
    ++passes_;
    traced_ = std::move(traced);
    return *traced_;
}

}  // namespace vimtal::dhwsim
