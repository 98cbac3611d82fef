#include "aircalc/IxChart.h"

#include "aircalc/MoistAir.h"
#include "core/Errors.h"
#include "core/FloatingPoint.h"
#include "core/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace vimtal::aircalc {

using fp::real;

namespace {

constexpr real kGram = 0.001L;            // kg/kg in one g/kg
constexpr double kCurveStep = 0.5;        // K between the computed points of a phi curve
constexpr double kDensityStep = 0.05;     // kg/m3 between density lines
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------- lines

// Liang-Barsky: the part [enter, leave] of a segment's parameter 0...1 for
// which p[k] * s <= q[k] holds on all four sides; nothing when it is empty.
std::optional<std::pair<double, double>> InsideInterval(const double (&p)[4], const double (&q)[4]) {
    double enter = 0, leave = 1;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return std::nullopt;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0) {
            enter = std::max(enter, r);
        } else {
            leave = std::min(leave, r);
        }
    }
    if (enter > leave) return std::nullopt;
    return std::pair{enter, leave};
}

// The part of the segment a-b inside the bounds; the given ends are kept
// exactly when they are inside.
std::optional<IxPolyline> ClipSegment(const IxPoint& a, const IxPoint& b, const IxBounds& bounds) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x, bounds.xMax - a.x, a.y - bounds.yMin, bounds.yMax - a.y};
    const auto part = InsideInterval(p, q);
    if (!part || part->second - part->first <= 1e-12) return std::nullopt;
    const auto [enter, leave] = *part;
    const IxPoint from = enter == 0 ? a : IxPoint{a.x + enter * dx, a.y + enter * dy};
    const IxPoint to = leave == 1 ? b : IxPoint{a.x + leave * dx, a.y + leave * dy};
    return IxPolyline{from, to};
}

void AddSegment(IxLine& line, const IxPoint& a, const IxPoint& b, const IxBounds& bounds) {
    if (auto piece = ClipSegment(a, b, bounds)) line.pieces.push_back(std::move(*piece));
}

using CurveAt = std::function<std::optional<IxPoint>(double)>;
using Inside = std::function<bool(const IxPoint&)>;

// The curve s -> at(s) for s from s0 to s1, computed every `step` of s and
// kept where `inside` holds. Where it crosses out of or into that region
// the crossing is found by bisection on s, so every point kept lies on the
// curve itself, not on a chord.
std::vector<IxPolyline> SampleCurve(const CurveAt& at, double s0, double s1, double step, const Inside& inside) {
    auto kept = [&](double s) -> std::optional<IxPoint> {
        std::optional<IxPoint> p = at(s);
        if (p && inside(*p)) return p;
        return std::nullopt;
    };
    auto crossing = [&](double in, double out) {
        in = fp::Bisect(in, out, [&](double s) { return kept(s).has_value(); }, 64).first;
        return *kept(in);
    };
    std::vector<IxPolyline> pieces;
    IxPolyline current;
    const int steps = std::max(1, static_cast<int>(std::ceil((s1 - s0) / step - 1e-9)));
    double previous = s0;
    std::optional<IxPoint> last = kept(s0);
    if (last) current.push_back(*last);
    for (int k = 1; k <= steps; ++k) {
        const double s = k == steps ? s1 : fp::Store(s0 + static_cast<real>(k) * step);
        const std::optional<IxPoint> p = kept(s);
        if (p && last) {
            current.push_back(*p);
        } else if (p) {
            current = {crossing(s, previous), *p};
        } else if (last) {
            current.push_back(crossing(previous, s));
            if (current.size() >= 2) pieces.push_back(std::move(current));
            current.clear();
        }
        previous = s;
        last = p;
    }
    if (current.size() >= 2) pieces.push_back(std::move(current));
    return pieces;
}

// Air of relative humidity phi (a fraction) at t, when its vapour pressure
// stays below pb.
std::optional<IxPoint> HumidAir(double t, double phi, double pb) {
    const double ps = AirCalcSaturationPressure(t);
    if (static_cast<real>(phi) * ps >= pb) return std::nullopt;
    return IxPointOf(t, HumidityRatio(phi, ps, pb));
}

// The first root of the rising function f in [low, ...), found by doubling
// the step until f turns non-negative (or `limit` is passed), then by
// bisection; nothing when f is already non-negative at `low` or never gets
// there.
std::optional<double> RisingRoot(const std::function<std::optional<double>(double)>& f, double low, double limit) {
    const std::optional<double> start = f(low);
    if (!start || *start >= 0) return std::nullopt;
    double step = 1.0, high = low + step;
    for (;;) {
        const std::optional<double> value = f(high);
        if (!value || *value >= 0) break;  // beyond pb counts as above
        low = high;
        step *= 2;
        high = low + step;
        if (low > limit) return std::nullopt;
    }
    const auto [below, above] = fp::Bisect(
        low, high,
        [&](double s) {
            const std::optional<double> value = f(s);
            return value && *value < 0;
        },
        100);
    return (below + above) / 2;
}

// Saturated air at t: x'' or nothing when its vapour would reach pb.
std::optional<double> SaturatedX(double t, double pb) {
    if (AirCalcSaturationPressure(t) >= pb) return std::nullopt;
    return SaturationHumidityRatio(t, pb);
}

// Where the saturation law starts to rise again (just above its turn at
// -26.8 degC): the lowest temperature a search of the chart looks at.
constexpr double kSearchFloor = -26.5;

std::optional<double> SaturationOfEnthalpy(double i, double pb) {
    return RisingRoot(
        [&](double t) -> std::optional<double> {
            const std::optional<double> xs = SaturatedX(t, pb);
            if (!xs) return std::nullopt;
            return Enthalpy(t, *xs) - i;
        },
        kSearchFloor, 200.0);
}

// Sutherland-Hodgman: the polygon cut to the bounds.
IxPolyline ClipPolygon(IxPolyline polygon, const IxBounds& b) {
    struct Edge {
        bool vertical;  // x = value (else y = value)
        double value;
        bool keepAbove;  // keep x (or y) >= value
    };
    const Edge edges[] = {{true, 0, true}, {true, b.xMax, false}, {false, b.yMin, true}, {false, b.yMax, false}};
    for (const Edge& e : edges) {
        if (polygon.empty()) break;
        auto side = [&](const IxPoint& p) {
            const double v = e.vertical ? p.x : p.y;
            return e.keepAbove ? v >= e.value : v <= e.value;
        };
        auto cut = [&](const IxPoint& p, const IxPoint& q) {
            const double r = e.vertical ? (e.value - p.x) / (q.x - p.x) : (e.value - p.y) / (q.y - p.y);
            return IxPoint{p.x + r * (q.x - p.x), p.y + r * (q.y - p.y)};
        };
        IxPolyline out;
        for (std::size_t k = 0; k < polygon.size(); ++k) {
            const IxPoint& p = polygon[k];
            const IxPoint& q = polygon[(k + 1) % polygon.size()];
            if (side(p)) {
                out.push_back(p);
                if (!side(q)) out.push_back(cut(p, q));
            } else if (side(q)) {
                out.push_back(cut(p, q));
            }
        }
        polygon = std::move(out);
    }
    return polygon;
}

void AddXGrid(IxLines& chart) {
    const int last = static_cast<int>(std::floor(chart.range.xMax + 1e-9));
    for (int g = 1; g <= last; ++g) {
        IxLine line{IxFamily::XGrid, static_cast<double>(g), g % 2 == 0, false, {}};
        const double x = fp::Store(g * kGram);
        AddSegment(line, {x, chart.bounds.yMin}, {x, chart.bounds.yMax}, chart.bounds);
        chart.lines.push_back(std::move(line));
    }
}

// Unsaturated isotherms run straight from x = 0 to the saturation curve;
// beyond it the fog isotherms run straight too, steeper than the enthalpy
// lines by the heat the droplets (or the ice) hold.
void AddIsotherms(IxLines& chart, std::vector<IxLine>& fog) {
    const IxBounds& b = chart.bounds;
    for (int t = static_cast<int>(std::ceil(chart.range.tMin)); t <= std::floor(chart.range.tMax); ++t) {
        const bool major = t % 5 == 0;
        const std::optional<double> xs = SaturatedX(t, chart.pb);
        IxLine dry{IxFamily::Isotherm, static_cast<double>(t), major, false, {}};
        const double end = xs ? std::min(*xs, b.xMax) : b.xMax;
        AddSegment(dry, IxPointOf(t, 0), IxPointOf(t, end), b);
        chart.lines.push_back(std::move(dry));
        if (!xs || *xs >= b.xMax) continue;
        const IxPoint saturated = IxPointOf(t, *xs);
        IxLine wet{IxFamily::FogIsotherm, static_cast<double>(t), major, t < 0, {}};
        AddSegment(wet, saturated, {b.xMax, IxOrdinate(FogEnthalpy(t, b.xMax, chart.pb), b.xMax)}, b);
        fog.push_back(std::move(wet));
        if (t == 0) {
            IxLine ice{IxFamily::FogIsotherm, 0.0, major, true, {}};
            AddSegment(ice, saturated, {b.xMax, IxOrdinate(FrozenFogEnthalpyAtZero(b.xMax, chart.pb), b.xMax)}, b);
            fog.push_back(std::move(ice));
        }
    }
}

void AddEnthalpyLines(IxLines& chart) {
    const IxBounds& b = chart.bounds;
    const double highest = IxEnthalpy({b.xMax, b.yMax});
    for (int i = static_cast<int>(std::ceil(b.yMin / 5.0)) * 5; i <= highest; i += 5) {
        IxLine line{IxFamily::Enthalpy, static_cast<double>(i), i % 10 == 0, false, {}};
        AddSegment(line, {0, static_cast<double>(i)}, {b.xMax, IxOrdinate(i, b.xMax)}, b);
        chart.lines.push_back(std::move(line));
    }
}

void AddRelativeHumidity(IxLines& chart) {
    const IxBounds& b = chart.bounds;
    auto inside = [&](const IxPoint& p) { return b.Contains(p); };
    for (int tenth = 1; tenth <= 9; ++tenth) {
        const double phi = fp::Store(tenth / 10.0L);
        IxLine line{IxFamily::RelativeHumidity, phi, true, false, {}};
        line.pieces = SampleCurve([&](double t) { return HumidAir(t, phi, chart.pb); }, chart.range.tMin,
                                  chart.range.tMax, kCurveStep, inside);
        chart.lines.push_back(std::move(line));
    }
}

// The saturation curve runs on above t max while it stays in the chart:
// it bounds the fog region wherever the chart shows one.
double SaturationTop(const IxLines& chart) {
    double t = chart.range.tMax;
    for (;;) {
        const std::optional<IxPoint> p = HumidAir(t, 1.0, chart.pb);
        if (!p || !chart.bounds.Contains(*p)) return t;
        t += 5;
    }
}

void AddSaturation(IxLines& chart) {
    const IxBounds& b = chart.bounds;
    const double top = SaturationTop(chart);
    IxLine line{IxFamily::Saturation, 1.0, true, false, {}};
    line.pieces = SampleCurve([&](double t) { return HumidAir(t, 1.0, chart.pb); }, chart.range.tMin, top, kCurveStep,
                              [&](const IxPoint& p) { return b.Contains(p); });
    chart.lines.push_back(std::move(line));

    // The fog region: below the curve, and straight down from its first
    // point (air below t min is not drawn).
    IxPolyline polygon;
    for (double t = chart.range.tMin; t <= top + 1e-9; t += kCurveStep) {
        const std::optional<IxPoint> p = HumidAir(t, 1.0, chart.pb);
        if (!p) break;
        polygon.push_back(*p);
        if (p->x > b.xMax || p->y > b.yMax) break;
    }
    if (polygon.empty()) return;
    const IxPoint first = polygon.front(), last = polygon.back();
    const double far = std::max(b.xMax, last.x) + 1.0;
    const double below = b.yMin - 1.0;
    polygon.insert(polygon.end(), {{far, last.y}, {far, below}, {first.x, below}});
    chart.fogRegion = ClipPolygon(std::move(polygon), b);
}

// The density law solved for t at x by bisection: rho falls as t rises.
std::optional<double> TemperatureOfDensity(double rho, double x, const IxLines& chart) {
    double low = chart.range.tMin - 60, high = chart.range.tMax + 60;
    if (Density(low, x, chart.pb) < rho || Density(high, x, chart.pb) > rho) return std::nullopt;
    const auto [denser, lighter] =
        fp::Bisect(low, high, [&](double t) { return Density(t, x, chart.pb) > rho; }, 100);
    return (denser + lighter) / 2;
}

void AddDensity(IxLines& chart) {
    const IxBounds& b = chart.bounds;
    const double pb = chart.pb;
    const std::optional<double> xsTop = SaturatedX(chart.range.tMax, pb);
    const double lightest = Density(chart.range.tMax, xsTop ? std::min(*xsTop, b.xMax) : b.xMax, pb);
    const double heaviest = Density(chart.range.tMin, 0, pb);
    auto unsaturated = [&](const IxPoint& p) { return b.Contains(p) && !IsFog(IxEnthalpy(p), p.x, pb); };
    for (int k = static_cast<int>(std::ceil(lightest / kDensityStep)); k * kDensityStep <= heaviest; ++k) {
        const double rho = fp::Store(k * static_cast<real>(kDensityStep));
        IxLine line{IxFamily::Density, rho, true, false, {}};
        line.pieces = SampleCurve(
            [&](double x) -> std::optional<IxPoint> {
                const std::optional<double> t = TemperatureOfDensity(rho, x, chart);
                if (!t) return std::nullopt;
                return IxPointOf(*t, x);
            },
            0.0, b.xMax, b.xMax / 32, unsaturated);
        chart.lines.push_back(std::move(line));
    }
}

// Where the ray from the pole in direction (dx, dy) leaves the bounds.
IxPoint RayEnd(const IxPoint& pole, double dx, double dy, const IxBounds& b) {
    double reach = kInfinity;
    if (dx > 0) reach = std::min(reach, (b.xMax - pole.x) / dx);
    if (dy > 0) reach = std::min(reach, (b.yMax - pole.y) / dy);
    if (dy < 0) reach = std::min(reach, (b.yMin - pole.y) / dy);
    return {pole.x + reach * dx, pole.y + reach * dy};
}

// A process of direction epsilon = Delta i / Delta x moves Delta y =
// (epsilon - 2501) Delta x on the chart; the infinite ones run upright.
void AddEdgeRays(IxLines& chart) {
    const IxBounds& b = chart.bounds;
    // At 0 degC as printed charts have it, unless that lies near the top or
    // bottom, where the rays would leave the chart at once: then on the
    // whole degree nearest the middle.
    const double zero = (0 - b.yMin) / (b.yMax - b.yMin);
    chart.pole = zero >= 0.2 && zero <= 0.8
                     ? IxPoint{0, 0}
                     : IxPointOf(std::round((chart.range.tMin + chart.range.tMax) / 2), 0);
    std::vector<double> directions{kInfinity, -kInfinity};
    directions.insert(directions.end(), std::begin(kIxEdgeScale), std::end(kIxEdgeScale));
    for (const double epsilon : directions) {
        const bool upright = std::isinf(epsilon);
        const double dx = upright ? 0.0 : 1.0;
        const double dy = upright ? (epsilon > 0 ? 1.0 : -1.0) : fp::Store(epsilon - kVaporisationHeat);
        IxLine line{IxFamily::EdgeRay, epsilon, true, false, {}};
        line.pieces.push_back({chart.pole, RayEnd(chart.pole, dx, dy, b)});
        chart.lines.push_back(std::move(line));
    }
}

}  // namespace

double IxOrdinate(double i, double x) { return fp::Store(i - kVaporisationHeat * x); }

double IxEnthalpy(const IxPoint& point) { return fp::Store(point.y + kVaporisationHeat * point.x); }

IxPoint IxPointOf(double t, double x) { return {x, IxOrdinate(Enthalpy(t, x), x)}; }

std::optional<std::string> IxRangeRefusal(const IxRange& r) {
    if (!(r.tMin >= kIxLowestTemperature)) {
        return "Temperatura t min nie może być niższa niż " + FloatToStr(kIxLowestTemperature) +
               " °C: poniżej wzór kalkulatora na ciśnienie nasycenia pary wodnej przestaje maleć.";
    }
    if (!(r.tMax <= kIxHighestTemperature)) {
        return "Temperatura t max nie może być wyższa niż " + FloatToStr(kIxHighestTemperature) + " °C.";
    }
    if (!(r.tMax - r.tMin >= kIxNarrowestSpan)) {
        return "Zakres temperatur musi obejmować co najmniej " + FloatToStr(kIxNarrowestSpan) +
               " K: t max musi być większa od t min o tyle lub więcej.";
    }
    if (!(r.xMax >= kIxLeastXMax && r.xMax <= kIxGreatestXMax)) {
        return "Zawartość wilgoci x max musi leżeć w granicach od " + FloatToStr(kIxLeastXMax) + " do " +
               FloatToStr(kIxGreatestXMax) + " g/kg.";
    }
    return std::nullopt;
}

std::optional<std::string> IxPressureRefusal(double pb) {
    if (pb >= kIxLowestPressure && pb <= kIxHighestPressure) return std::nullopt;
    return "Ciśnienie barometryczne pb wykresu musi leżeć w granicach od " + FloatToStr(kIxLowestPressure) + " do " +
           FloatToStr(kIxHighestPressure) + " Pa.";
}

bool IxBounds::Contains(const IxPoint& p) const {
    const double ex = xMax * 1e-9, ey = (yMax - yMin) * 1e-9;
    return p.x >= -ex && p.x <= xMax + ex && p.y >= yMin - ey && p.y <= yMax + ey;
}

IxBounds IxBoundsOf(const IxRange& range) {
    const double xMax = fp::Store(range.xMax * kGram);
    const double low[] = {IxPointOf(range.tMin, 0).y, IxPointOf(range.tMin, xMax).y};
    const double high[] = {IxPointOf(range.tMax, 0).y, IxPointOf(range.tMax, xMax).y};
    return {xMax, std::min(low[0], low[1]), std::max(high[0], high[1])};
}

IxLines ComputeIxLines(const IxRange& range, double pb) {
    IxLines chart;
    chart.range = range;
    chart.pb = pb;
    chart.bounds = IxBoundsOf(range);
    std::vector<IxLine> fog;
    // In drawing order: the grid first, the strong lines last.
    AddXGrid(chart);
    AddDensity(chart);
    AddEnthalpyLines(chart);
    AddIsotherms(chart, fog);
    chart.lines.insert(chart.lines.end(), std::make_move_iterator(fog.begin()), std::make_move_iterator(fog.end()));
    AddRelativeHumidity(chart);
    AddSaturation(chart);
    AddEdgeRays(chart);
    return chart;
}

// ---------------------------------------------------------------- pixels

bool PixelRect::Contains(const PixelPoint& p) const {
    return p.x >= left && p.x <= Right() && p.y >= top && p.y <= Bottom();
}

IxTransform::IxTransform(const IxBounds& bounds, const PixelRect& plot) : bounds_(bounds), plot_(plot) {}

PixelPoint IxTransform::ToPixel(const IxPoint& p) const {
    return {plot_.left + p.x / bounds_.xMax * plot_.width,
            plot_.top + (bounds_.yMax - p.y) / (bounds_.yMax - bounds_.yMin) * plot_.height};
}

IxPoint IxTransform::ToChart(const PixelPoint& p) const {
    return {(p.x - plot_.left) / plot_.width * bounds_.xMax,
            bounds_.yMax - (p.y - plot_.top) / plot_.height * (bounds_.yMax - bounds_.yMin)};
}

// ---------------------------------------------------------------- texts

namespace {

// A text's rectangle, turned with it: centre, half sizes and direction.
struct Box {
    PixelPoint c;
    double hw, hh, cosA, sinA;
};

Box BoxOf(const IxLabel& label, double gap) {
    const double a = label.angle * std::numbers::pi / 180.0;
    return {label.centre, label.size.width / 2 + gap, label.size.height / 2 + gap, std::cos(a), std::sin(a)};
}

// The point in the box's own axes.
PixelPoint Local(const Box& b, const PixelPoint& p) {
    const double dx = p.x - b.c.x, dy = p.y - b.c.y;
    return {dx * b.cosA + dy * b.sinA, -dx * b.sinA + dy * b.cosA};
}

std::array<PixelPoint, 4> Corners(const Box& b) {
    std::array<PixelPoint, 4> corners;
    const double su[] = {-1, 1, 1, -1}, sv[] = {-1, -1, 1, 1};
    for (int k = 0; k < 4; ++k) {
        const double u = su[k] * b.hw, v = sv[k] * b.hh;
        corners[k] = {b.c.x + u * b.cosA - v * b.sinA, b.c.y + u * b.sinA + v * b.cosA};
    }
    return corners;
}

// Separating axes: two turned rectangles are apart when their shadows on
// one of the four axes are.
bool BoxesOverlap(const Box& a, const Box& b) {
    const auto ca = Corners(a), cb = Corners(b);
    const PixelPoint axes[] = {{a.cosA, a.sinA}, {-a.sinA, a.cosA}, {b.cosA, b.sinA}, {-b.sinA, b.cosA}};
    for (const PixelPoint& axis : axes) {
        double minA = kInfinity, maxA = -kInfinity, minB = kInfinity, maxB = -kInfinity;
        for (const PixelPoint& p : ca) {
            const double s = p.x * axis.x + p.y * axis.y;
            minA = std::min(minA, s);
            maxA = std::max(maxA, s);
        }
        for (const PixelPoint& p : cb) {
            const double s = p.x * axis.x + p.y * axis.y;
            minB = std::min(minB, s);
            maxB = std::max(maxB, s);
        }
        if (maxA < minB || maxB < minA) return false;
    }
    return true;
}

// True when the segment p-q passes through the box.
bool SegmentCrosses(const Box& b, const PixelPoint& from, const PixelPoint& to) {
    const PixelPoint a = Local(b, from), e = Local(b, to);
    const double dx = e.x - a.x, dy = e.y - a.y;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x + b.hw, b.hw - a.x, a.y + b.hh, b.hh - a.y};
    return InsideInterval(p, q).has_value();
}

bool BoxWithin(const Box& b, const PixelRect& r) {
    for (const PixelPoint& p : Corners(b)) {
        if (!r.Contains(p)) return false;
    }
    return true;
}

// The angle of a line's direction, turned so that its text reads from left
// to right.
double ReadableAngle(double dx, double dy) {
    double angle = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
    if (angle > 90.0) angle -= 180.0;
    if (angle <= -90.0) angle += 180.0;
    return angle;
}

using PixelLine = std::vector<PixelPoint>;

PixelLine ToPixels(const IxPolyline& piece, const IxTransform& transform) {
    PixelLine out;
    out.reserve(piece.size());
    for (const IxPoint& p : piece) out.push_back(transform.ToPixel(p));
    return out;
}

double Length(const PixelLine& line) {
    double length = 0;
    for (std::size_t k = 1; k < line.size(); ++k) length += std::hypot(line[k].x - line[k - 1].x, line[k].y - line[k - 1].y);
    return length;
}

// The point `distance` pixels along the line from its start, and the
// line's direction there.
std::pair<PixelPoint, PixelPoint> PointAlong(const PixelLine& line, double distance) {
    for (std::size_t k = 1; k < line.size(); ++k) {
        const double dx = line[k].x - line[k - 1].x, dy = line[k].y - line[k - 1].y;
        const double step = std::hypot(dx, dy);
        if (step <= 0) continue;
        if (distance <= step || k + 1 == line.size()) {
            const double f = std::min(distance, step) / step;
            return {{line[k - 1].x + f * dx, line[k - 1].y + f * dy}, {dx, dy}};
        }
        distance -= step;
    }
    return {line.front(), {1, 0}};
}

// Finds the texts their places: each where it overlaps no text placed
// before, no line's end and, inside the plot, not the saturation curve.
class Placer {
public:
    Placer(const PixelRect& canvas, const PixelRect& plot) : canvas_(canvas) {
        inner_ = {plot.left + 3, plot.top + 3, plot.width - 6, plot.height - 6};
    }

    std::vector<PixelPoint> ends;  // line ends inside the plot
    std::vector<std::pair<PixelPoint, PixelPoint>> walls;  // segments no inside text may cross
    std::vector<IxLabel> placed;

    bool Fits(const IxLabel& label) const {
        const Box box = BoxOf(label, 0);
        if (!BoxWithin(box, label.halo ? inner_ : canvas_)) return false;
        for (const IxLabel& other : placed) {
            if (LabelsOverlap(label, other, 1.5)) return false;
        }
        if (!label.halo) return true;
        const Box padded = BoxOf(label, 2);
        for (const PixelPoint& end : ends) {
            if (std::abs(Local(padded, end).x) <= padded.hw && std::abs(Local(padded, end).y) <= padded.hh) {
                return false;
            }
        }
        if (label.family != IxFamily::Saturation) {
            const Box near = BoxOf(label, 1);
            for (const auto& [p, q] : walls) {
                if (SegmentCrosses(near, p, q)) return false;
            }
        }
        return true;
    }

    // Places the label if it fits; true when it did.
    bool Take(const IxLabel& label) {
        if (!Fits(label)) return false;
        placed.push_back(label);
        return true;
    }

private:
    PixelRect canvas_;
    PixelRect inner_;
};

struct Metrics {
    double tick = 5, gap = 3, pad = 6;
};

std::string Degrees(double t) { return FloatToStr(t); }

std::string EdgeScaleText(double epsilon) {
    if (std::isinf(epsilon)) return epsilon > 0 ? "+∞" : "-∞";
    return FloatToStr(epsilon);
}

// A text along a line piece, `distance` pixels from its start: on the
// line, or `above` pixels off it on the side above the text.
IxLabel OnLine(const std::string& text, IxText kind, IxFamily family, const PixelLine& line, double distance,
               double above, const IxMeasure& measure) {
    const auto [at, direction] = PointAlong(line, distance);
    const double angle = ReadableAngle(direction.x, direction.y);
    const double a = angle * std::numbers::pi / 180.0;
    const PixelPoint centre{at.x + above * std::sin(a), at.y - above * std::cos(a)};
    return {text, kind, family, centre, angle, measure(text, kind), true};
}

// Tries the text at the distances `first`, first + step, ... (or first -
// step, ... when step is negative) along the line; true when placed.
bool PlaceAlong(Placer& placer, const std::string& text, IxFamily family, const PixelLine& line, double first,
                double step, const IxMeasure& measure, double above = 0) {
    const double length = Length(line);
    const double half = measure(text, IxText::LineLabel).width / 2;
    for (double d = first; d >= half && d <= length - half; d += step) {
        if (placer.Take(OnLine(text, IxText::LineLabel, family, line, d, above, measure))) return true;
    }
    return false;
}

void PlaceAxes(Placer& placer, IxLayout& layout, const IxLines& chart, const IxMeasure& measure, const Metrics& m) {
    const IxTransform& tr = layout.transform;
    const PixelRect& plot = tr.Plot();
    // Temperatures on the left axis, where each isotherm starts.
    for (int t = static_cast<int>(std::ceil(chart.range.tMin / 5.0)) * 5; t <= chart.range.tMax; t += 5) {
        const double y = tr.ToPixel(IxPointOf(t, 0)).y;
        layout.ticks.push_back({{plot.left - m.tick, y}, {plot.left, y}, IxFamily::Isotherm});
        const std::string text = Degrees(t);
        const TextSize size = measure(text, IxText::Tick);
        placer.Take({text, IxText::Tick, IxFamily::Isotherm, {plot.left - m.tick - m.gap - size.width / 2, y}, 0, size});
    }
    // x every 2 g/kg below the frame.
    for (int g = 0; g <= chart.range.xMax + 1e-9; g += 2) {
        const double x = tr.ToPixel({fp::Store(g * kGram), chart.bounds.yMin}).x;
        layout.ticks.push_back({{x, plot.Bottom()}, {x, plot.Bottom() + m.tick}, IxFamily::XGrid});
        const std::string text = IntToStr(g);
        const TextSize size = measure(text, IxText::Tick);
        placer.Take({text, IxText::Tick, IxFamily::XGrid, {x, plot.Bottom() + m.tick + m.gap + size.height / 2}, 0, size});
    }
}

// The edge scale's numbers outside the frame where each ray meets it: to
// the right, above, or in the row below the x axis's numbers.
void PlaceEdgeScale(Placer& placer, IxLayout& layout, const IxLines& chart, const IxMeasure& measure,
                    const Metrics& m, double tickRow) {
    const IxTransform& tr = layout.transform;
    const PixelRect& plot = tr.Plot();
    for (const IxLine& line : chart.lines) {
        if (line.family != IxFamily::EdgeRay || line.pieces.empty()) continue;
        const PixelPoint end = tr.ToPixel(line.pieces.front().back());
        const std::string text = EdgeScaleText(line.value);
        const TextSize size = measure(text, IxText::EdgeScale);
        IxLabel label{text, IxText::EdgeScale, IxFamily::EdgeRay, {}, 0, size};
        IxMark mark{end, end, IxFamily::EdgeRay};
        if (std::abs(end.y - plot.top) < 0.5) {
            mark.to.y -= m.tick;
            label.centre = {end.x, plot.top - m.tick - m.gap - size.height / 2};
        } else if (std::abs(end.x - plot.Right()) < 0.5) {
            mark.to.x += m.tick;
            label.centre = {plot.Right() + m.tick + m.gap + size.width / 2, end.y};
        } else if (std::abs(end.y - plot.Bottom()) < 0.5) {
            mark.to.y += m.tick;
            label.centre = {end.x, plot.Bottom() + m.tick + m.gap + tickRow + m.gap + size.height / 2};
        } else {
            continue;
        }
        if (placer.Take(label)) layout.ticks.push_back(mark);
    }
}

// phi on each curve near its upper end, "φ = 100 %" along the saturation
// curve further down.
void PlaceRelativeHumidity(Placer& placer, const IxLines& chart, const IxTransform& tr, const IxMeasure& measure) {
    for (const IxLine& line : chart.lines) {
        if ((line.family != IxFamily::RelativeHumidity && line.family != IxFamily::Saturation) || line.pieces.empty()) {
            continue;
        }
        const PixelLine pixels = ToPixels(line.pieces.back(), tr);
        const double length = Length(pixels);
        const std::string number = RoundedDisplay(line.value * 100.0, 0) + " %";
        if (line.family == IxFamily::Saturation) {
            // Just above the curve, clear of the isotherms ending on it.
            const std::string text = "φ = " + number;
            const double above = measure(text, IxText::LineLabel).height / 2 + 3;
            if (!PlaceAlong(placer, text, line.family, pixels, length * 0.55, -20, measure, above)) {
                PlaceAlong(placer, text, line.family, pixels, length * 0.55, 20, measure, above);
            }
            continue;
        }
        const double half = measure(number, IxText::LineLabel).width / 2;
        PlaceAlong(placer, number, line.family, pixels, length - half - 10, -18, measure);
    }
}

// The enthalpy numbers just below the saturation curve, on the fog side of
// each line (or, for a line that meets the curve outside the chart, near
// its lower right end). One of them carries the quantity and unit.
void PlaceEnthalpy(Placer& placer, const IxLines& chart, const IxTransform& tr, const IxMeasure& measure) {
    std::vector<const IxLine*> labelled;
    for (const IxLine& line : chart.lines) {
        if (line.family == IxFamily::Enthalpy && line.major && !line.pieces.empty()) labelled.push_back(&line);
    }
    if (labelled.empty()) return;
    const double middle = labelled[labelled.size() / 2]->value;
    for (const IxLine* line : labelled) {
        const PixelLine pixels = ToPixels(line->pieces.front(), tr);
        const double length = Length(pixels);
        double start = length;  // from the lower right end backwards
        if (const std::optional<double> t = SaturationOfEnthalpy(line->value, chart.pb)) {
            const std::optional<double> xs = SaturatedX(*t, chart.pb);
            if (xs && *xs < chart.bounds.xMax) {
                const PixelPoint meet = tr.ToPixel(IxPointOf(*t, *xs));
                start = std::hypot(meet.x - pixels.front().x, meet.y - pixels.front().y);
            }
        }
        const std::string number = FloatToStr(line->value);
        std::vector<std::string> texts{number};
        if (line->value == middle) texts.insert(texts.begin(), "i = " + number + " kJ/kg");
        for (const std::string& text : texts) {
            const double half = measure(text, IxText::LineLabel).width / 2;
            if (start < length && PlaceAlong(placer, text, IxFamily::Enthalpy, pixels, start + half + 6, 16, measure)) {
                break;
            }
            if (PlaceAlong(placer, text, IxFamily::Enthalpy, pixels, length - half - 8, -16, measure)) break;
        }
    }
}

void PlaceDensity(Placer& placer, const IxLines& chart, const IxTransform& tr, const IxMeasure& measure) {
    bool named = false;
    for (const IxLine& line : chart.lines) {
        if (line.family != IxFamily::Density || line.pieces.empty()) continue;
        const PixelLine pixels = ToPixels(line.pieces.front(), tr);
        const std::string number = RoundedDisplay(line.value, -2);
        std::vector<std::string> texts{number};
        if (!named) texts.insert(texts.begin(), "ρ = " + number + " kg/m³");
        for (const std::string& text : texts) {
            const double half = measure(text, IxText::LineLabel).width / 2;
            if (PlaceAlong(placer, text, IxFamily::Density, pixels, half + 30, 18, measure)) {
                named = named || text != number;
                break;
            }
        }
    }
}

// Ends of lines inside the plot (a label there would hide where a line
// stops), and the saturation curve, which no number inside may cross.
void CollectObstacles(Placer& placer, const IxLines& chart, const IxTransform& tr, bool densityLines) {
    const PixelRect& plot = tr.Plot();
    auto interior = [&](const PixelPoint& p) {
        return p.x > plot.left + 0.5 && p.x < plot.Right() - 0.5 && p.y > plot.top + 0.5 && p.y < plot.Bottom() - 0.5;
    };
    for (const IxLine& line : chart.lines) {
        if (line.family == IxFamily::Density && !densityLines) continue;
        if (line.family == IxFamily::EdgeRay) continue;
        for (const IxPolyline& piece : line.pieces) {
            for (const IxPoint* end : {&piece.front(), &piece.back()}) {
                const PixelPoint p = tr.ToPixel(*end);
                if (interior(p)) placer.ends.push_back(p);
            }
            if (line.family == IxFamily::Saturation) {
                const PixelLine pixels = ToPixels(piece, tr);
                for (std::size_t k = 1; k < pixels.size(); ++k) placer.walls.emplace_back(pixels[k - 1], pixels[k]);
            }
        }
    }
}

}  // namespace

bool LabelsOverlap(const IxLabel& a, const IxLabel& b, double gap) {
    return BoxesOverlap(BoxOf(a, gap / 2), BoxOf(b, gap / 2));
}

bool LabelCovers(const IxLabel& label, const PixelPoint& point, double gap) {
    const Box box = BoxOf(label, gap);
    const PixelPoint p = Local(box, point);
    return std::abs(p.x) <= box.hw && std::abs(p.y) <= box.hh;
}

std::string IxChartTitle(double pb) { return "Wykres i-x powietrza wilgotnego, pb = " + FloatToStr(pb) + " Pa"; }

IxLayout LayOutIxChart(const IxLines& chart, double width, double height, const IxMeasure& measure,
                       bool densityLines) {
    const Metrics m;
    const std::string title = IxChartTitle(chart.pb);
    const std::string scaleTitle = "skala kątowa ε = Δi/Δx [kJ/kg]";
    const std::string note = "Poniżej 0 °C linia nasycenia nad wodą, wg prawa kalkulatora";
    const TextSize titleSize = measure(title, IxText::Title);
    const double edgeRow = measure("0", IxText::EdgeScale).height;
    const double tickRow = measure("0", IxText::Tick).height;
    const TextSize tAxis = measure("t [°C]", IxText::AxisTitle), xAxis = measure("x [g/kg]", IxText::AxisTitle);
    const double noteRow = std::max(measure(note, IxText::Small).height, xAxis.height);
    double widestTick = 0;
    for (int t = static_cast<int>(std::ceil(chart.range.tMin / 5.0)) * 5; t <= chart.range.tMax; t += 5) {
        widestTick = std::max(widestTick, measure(Degrees(t), IxText::Tick).width);
    }
    double widestEdge = 0;
    for (const double epsilon : kIxEdgeScale) widestEdge = std::max(widestEdge, measure(EdgeScaleText(epsilon), IxText::EdgeScale).width);

    PixelRect plot;
    plot.left = m.pad + tAxis.height + m.gap + widestTick + m.gap + m.tick;
    plot.top = m.pad + titleSize.height + m.gap + edgeRow + m.gap + m.tick;
    const double right = m.tick + m.gap + widestEdge + m.pad;
    const double bottom = m.tick + m.gap + tickRow + m.gap + edgeRow + m.gap + noteRow + m.pad;
    plot.width = std::max(width - plot.left - right, 10.0);
    plot.height = std::max(height - plot.top - bottom, 10.0);

    IxLayout layout;
    layout.transform = IxTransform(chart.bounds, plot);
    Placer placer({0, 0, width, height}, plot);
    CollectObstacles(placer, chart, layout.transform, densityLines);

    placer.Take({title, IxText::Title, IxFamily::XGrid, {m.pad + titleSize.width / 2, m.pad + titleSize.height / 2}, 0,
                 titleSize});
    const TextSize scaleSize = measure(scaleTitle, IxText::Small);
    placer.Take({scaleTitle, IxText::Small, IxFamily::EdgeRay,
                 {width - m.pad - scaleSize.width / 2, m.pad + titleSize.height - scaleSize.height / 2}, 0, scaleSize});
    const double lastRow = height - m.pad - noteRow / 2;
    placer.Take({"x [g/kg]", IxText::AxisTitle, IxFamily::XGrid, {plot.Right() - xAxis.width / 2, lastRow}, 0, xAxis});
    if (chart.range.tMin < 0) {
        const TextSize size = measure(note, IxText::Small);
        placer.Take({note, IxText::Small, IxFamily::Saturation, {plot.left + size.width / 2, lastRow}, 0, size});
    }
    placer.Take({"t [°C]", IxText::AxisTitle, IxFamily::Isotherm,
                 {m.pad + tAxis.height / 2, plot.top + plot.height / 2}, -90, tAxis});
    PlaceAxes(placer, layout, chart, measure, m);
    PlaceEdgeScale(placer, layout, chart, measure, m, tickRow);
    PlaceRelativeHumidity(placer, chart, layout.transform, measure);
    PlaceEnthalpy(placer, chart, layout.transform, measure);
    if (densityLines) PlaceDensity(placer, chart, layout.transform, measure);
    layout.labels = std::move(placer.placed);
    return layout;
}

std::vector<IxLabel> PlaceOverlayLabels(const IxOverlay& overlay, const IxTransform& transform,
                                        const IxMeasure& measure, const std::vector<IxLabel>& taken) {
    const PixelRect& plot = transform.Plot();
    std::vector<IxLabel> placed;
    // Beside the mark: upper right first, as a hand writes it; then a
    // little farther out, where marks crowd.
    const PixelPoint directions[] = {{1, -1}, {1, 1}, {-1, -1}, {-1, 1}, {1, 0}, {-1, 0}, {0, -1}, {0, 1}};
    const double farther[] = {0.0, 8.0, 16.0};
    std::vector<PixelPoint> marks;
    for (const IxOverlay::Point& p : overlay.points) marks.push_back(transform.ToPixel(p.at));
    std::vector<std::pair<PixelPoint, PixelPoint>> strokes;
    for (const IxOverlay::Segment& s : overlay.segments) strokes.emplace_back(transform.ToPixel(s.from), transform.ToPixel(s.to));
    const auto fits = [&](const IxLabel& label) {
        if (!BoxWithin(BoxOf(label, 0), plot)) return false;
        auto clash = [&](const IxLabel& other) { return LabelsOverlap(label, other, 1.0); };
        if (std::any_of(placed.begin(), placed.end(), clash) || std::any_of(taken.begin(), taken.end(), clash)) {
            return false;
        }
        if (std::any_of(marks.begin(), marks.end(), [&](const PixelPoint& m) { return LabelCovers(label, m, 3.0); })) {
            return false;
        }
        // Clear of the arrows and constructions too.
        const Box near = BoxOf(label, 1);
        return std::none_of(strokes.begin(), strokes.end(),
                            [&](const auto& s) { return SegmentCrosses(near, s.first, s.second); });
    };
    for (std::size_t n = 0; n < overlay.points.size(); ++n) {
        const IxOverlay::Point& point = overlay.points[n];
        if (point.label.empty()) continue;
        const TextSize size = measure(point.label, IxText::Overlay);
        std::optional<IxLabel> best;
        for (const double extra : farther) {
            const double reach = (point.minor ? 3.0 : 5.0) + extra;
            for (const PixelPoint& d : directions) {
                IxLabel label{point.label, IxText::Overlay, IxFamily::XGrid,
                              {marks[n].x + d.x * (reach + size.width / 2), marks[n].y + d.y * (reach + size.height / 2)},
                              0, size, true};
                if (!best) best = label;
                if (!fits(label)) continue;
                best = label;
                break;
            }
            if (best && fits(*best)) break;
        }
        placed.push_back(*best);
    }
    return placed;
}

// ---------------------------------------------------------------- states

double SaturationTemperatureOf(double x, double pb) {
    const std::optional<double> t = RisingRoot(
        [&](double t) -> std::optional<double> {
            const std::optional<double> xs = SaturatedX(t, pb);
            if (!xs) return std::nullopt;
            return *xs - x;
        },
        kSearchFloor, 200.0);
    return t.value_or(kSearchFloor);
}

IxConstructions ConstructionsOf(double x, double i, double tm, double pb) {
    IxConstructions c;
    c.state = {x, IxOrdinate(i, x)};
    c.dewPoint = IxPointOf(SaturationTemperatureOf(x, pb), x);
    c.wetBulb = IxPointOf(tm, SaturationHumidityRatio(tm, pb));
    return c;
}

IxOverlay CalculatorOverlay(const AirState& state, double pb) {
    const IxConstructions c = ConstructionsOf(state.x, state.i, state.tm, pb);
    IxOverlay overlay;
    overlay.points.push_back({c.state, "K", IsFog(state.i, state.x, pb), false});
    overlay.points.push_back({c.dewPoint, "tr", false, true});
    overlay.points.push_back({c.wetBulb, "tm", false, true});
    overlay.segments.push_back({c.state, c.dewPoint, IxOverlay::Stroke::Construction});
    overlay.segments.push_back({c.state, c.wetBulb, IxOverlay::Stroke::Construction});
    return overlay;
}

IxOverlay ChainOverlay(const ChainResult& chain) {
    IxOverlay overlay;
    const auto at = [&](int k) {
        const StateResult& s = chain.states[static_cast<std::size_t>(k)];
        return IxPoint{s.humidityRatio, IxOrdinate(s.i, s.humidityRatio)};
    };
    for (const StateResult& s : chain.states) {
        overlay.points.push_back({{s.humidityRatio, IxOrdinate(s.i, s.humidityRatio)}, s.name, s.fog, false});
    }
    for (const ProcessResult& p : chain.processes) {
        // The mixed state lies on the line between its inlets.
        const IxOverlay::Stroke stroke = p.from.size() == 2 ? IxOverlay::Stroke::Dashed : IxOverlay::Stroke::Arrow;
        for (const int from : p.from) overlay.segments.push_back({at(from), at(p.to), stroke});
    }
    return overlay;
}

void AppendOverlay(IxOverlay& overlay, const IxOverlay& more) {
    overlay.points.insert(overlay.points.end(), more.points.begin(), more.points.end());
    overlay.segments.insert(overlay.segments.end(), more.segments.begin(), more.segments.end());
}

IxReading ReadingAt(const IxPoint& point, double pb) {
    IxReading r;
    r.x = std::max(point.x, 0.0);
    r.i = IxEnthalpy({r.x, point.y});
    if (IsFog(r.i, r.x, pb)) {
        // Saturated air at the fog's temperature, carrying the rest as
        // droplets or ice.
        r.fog = true;
        r.t = FogTemperature(r.i, r.x, pb);
        const double xs = SaturationHumidityRatio(r.t, pb);
        r.phi = 100.0;
        r.condensed = std::max(fp::Store(static_cast<real>(r.x) - xs), 0.0);
        r.tr = DewPoint(VapourPressure(xs, pb));
    } else {
        r.t = TemperatureOf(r.i, r.x);
        r.phi = fp::Store(RelativeHumidity(r.x, AirCalcSaturationPressure(r.t), pb) * 100.0L);
        r.rho = Density(r.t, r.x, pb);
        const double pp = VapourPressure(r.x, pb);
        if (pp > 0) r.tr = DewPoint(pp);
    }
    try {
        r.tm = WetBulbSearch(r.i, pb);
    } catch (const NoticeError&) {
        // Saturated air never reaches this enthalpy below pb: no wet bulb.
    }
    return r;
}

IxReading ReadingOf(const AirState& s) {
    IxReading r;
    r.t = s.t;
    r.phi = s.ps > 0 ? fp::Store(static_cast<real>(s.pp) / s.ps * 100.0L) : 0.0;
    r.x = s.x;
    r.i = s.i;
    r.rho = s.rho;
    r.tr = s.tr;
    r.tm = s.tm;
    return r;
}

IxReadingTexts ReadingTexts(const IxReading& r) {
    const std::string none = "–";
    auto optional = [&](const std::optional<double>& v, int digit) { return v ? RoundedDisplay(*v, digit) : none; };
    IxReadingTexts texts;
    texts.t = RoundedDisplay(r.t, -1);
    texts.phi = RoundedDisplay(r.phi, -1);
    texts.x = RoundedDisplay(fp::Store(r.x / kGram), -2);
    texts.i = RoundedDisplay(r.i, -1);
    texts.rho = optional(r.rho, -3);
    texts.tr = optional(r.tr, -1);
    texts.tm = optional(r.tm, -1);
    if (r.fog) {
        const std::string water = RoundedDisplay(fp::Store(r.condensed / kGram), -2) + " g/kg";
        texts.fog = r.t < 0 ? "mgła lodowa: lód " + water : "mgła: woda " + water;
    }
    return texts;
}

}  // namespace vimtal::aircalc
