// The Mollier i-x chart of moist air, as plain geometry.
//
// The humidity ratio x runs along the horizontal axis and the ordinate is
// y = i - 2501 x [kJ/kg] (x in kg/kg): the 0 degC isotherm is horizontal,
// the other isotherms rise or fall a little (y = 1.005 t + 1.84 t x), and
// the enthalpy lines y = i - 2501 x fall to the right. Every line is drawn
// from the air calculator's own laws (MoistAir.h, AirCalculator.h), so a
// state the calculator computes lies exactly on the lines of its t, phi, x
// and i.
//
// The model gives the line families as polylines in chart units, clipped to
// the range shown; a transform between chart units and the pixels of a
// plot rectangle; the placement of every text for a chart of a given size
// (the window measures the texts in its fonts); the state under a point;
// and the dew-point and wet-bulb constructions of a state. The window only
// draws what it is given.
#pragma once

#include "aircalc/AirCalculator.h"
#include "aircalc/AirProcesses.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vimtal::aircalc {

// A point of the chart: x [kg/kg] and the ordinate y [kJ/kg].
struct IxPoint {
    double x = 0;
    double y = 0;
};

// y = i - 2501 x, and i = y + 2501 x.
double IxOrdinate(double i, double x);
double IxEnthalpy(const IxPoint& point);
// Air at t [degC] holding x [kg/kg] as vapour.
IxPoint IxPointOf(double t, double x);

// What the chart shows: t min and t max [degC], x max [g/kg].
struct IxRange {
    double tMin = -20;
    double tMax = 50;
    double xMax = 30;
};

inline constexpr double kIxDefaultPressure = 101300.0;  // Pa

// The calculator's saturation law, a fit over water, falls with t down to
// -26.8 degC and rises again below: the chart starts above that turn.
inline constexpr double kIxLowestTemperature = -25.0;
inline constexpr double kIxHighestTemperature = 80.0;
inline constexpr double kIxNarrowestSpan = 10.0;  // K
inline constexpr double kIxLeastXMax = 2.0;       // g/kg
inline constexpr double kIxGreatestXMax = 100.0;  // g/kg
inline constexpr double kIxLowestPressure = 60000.0;   // Pa, about 4000 m above the sea
inline constexpr double kIxHighestPressure = 120000.0; // Pa

// Why a range or a pressure cannot be drawn (a Polish message), or nothing.
std::optional<std::string> IxRangeRefusal(const IxRange& range);
std::optional<std::string> IxPressureRefusal(double pb);

// The rectangle of chart units the chart shows: x from 0 to xMax [kg/kg],
// y from the lowest to the highest point of the isotherms t min and t max.
struct IxBounds {
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
    // Inside, or on the edge within a billionth of the size.
    bool Contains(const IxPoint& point) const;
};
IxBounds IxBoundsOf(const IxRange& range);

using IxPolyline = std::vector<IxPoint>;

enum class IxFamily {
    XGrid,             // x = const, every 1 g/kg
    Isotherm,          // unsaturated air, every 1 K
    FogIsotherm,       // beyond saturation, with water (or ice)
    RelativeHumidity,  // phi = 10 ... 90 %
    Saturation,        // phi = 100 %
    Enthalpy,          // every 5 kJ/kg
    Density,           // every 0.05 kg/m3, unsaturated air only
    EdgeRay,           // the edge scale's rays from its pole
};

struct IxLine {
    IxFamily family = IxFamily::XGrid;
    // x [g/kg], t [degC], phi [fraction], i [kJ/kg], rho [kg/m3] or the
    // ray's Delta i / Delta x [kJ/kg] (plus or minus infinity upright).
    double value = 0;
    bool major = false;  // drawn heavier (and labelled where its family is)
    bool ice = false;    // a fog isotherm whose surplus water is ice
    // The parts inside the bounds; a curve's points lie exactly on it.
    std::vector<IxPolyline> pieces;
};

// The edge scale: rays of the process directions Delta i / Delta x [kJ/kg].
inline constexpr double kIxEdgeScale[] = {0.0, 1000.0, -1000.0, 2000.0, 2500.0, 3000.0, 5000.0, 10000.0};

struct IxLines {
    IxRange range;
    double pb = kIxDefaultPressure;
    IxBounds bounds;
    std::vector<IxLine> lines;
    // The fog region below the saturation curve, a closed polygon inside
    // the bounds (empty when the range shows none).
    IxPolyline fogRegion;
    // The pole of the edge scale on the x = 0 axis: at 0 degC, or at the
    // whole degree nearest the middle when 0 degC lies outside the middle
    // three fifths of the axis.
    IxPoint pole;
};

// Every line family of the range at pb [Pa]. The density lines are always
// computed; the window shows them on request.
IxLines ComputeIxLines(const IxRange& range, double pb);

// Pixels of the paint device, y downwards.
struct PixelPoint {
    double x = 0;
    double y = 0;
};

struct PixelRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
    bool Contains(const PixelPoint& point) const;
};

// Chart units to the pixels of the plot rectangle and back: x = 0 on its
// left edge, x max on its right, y max on its top edge, y min at its bottom.
class IxTransform {
public:
    IxTransform() = default;
    IxTransform(const IxBounds& bounds, const PixelRect& plot);
    PixelPoint ToPixel(const IxPoint& point) const;
    IxPoint ToChart(const PixelPoint& pixel) const;
    const IxBounds& Bounds() const { return bounds_; }
    const PixelRect& Plot() const { return plot_; }

private:
    IxBounds bounds_;
    PixelRect plot_;
};

// The kinds of text on the chart; the window gives each its font.
enum class IxText {
    Title,       // the chart's name and pressure, top left
    Small,       // the note below 0 degC and the edge scale's title
    AxisTitle,   // "t [°C]", "x [g/kg]"
    Tick,        // the axes' numbers
    LineLabel,   // the numbers on the lines
    EdgeScale,   // the edge scale's numbers
    Overlay,     // the names of marked states
};

struct TextSize {
    double width = 0;
    double height = 0;
};
using IxMeasure = std::function<TextSize(const std::string& text, IxText kind)>;

// A text on the chart, centred on `centre`, turned by `angle` degrees
// (clockwise on the screen, as the painter turns).
struct IxLabel {
    std::string text;
    IxText kind = IxText::Tick;
    IxFamily family = IxFamily::XGrid;  // whose colour it takes
    PixelPoint centre;
    double angle = 0;
    TextSize size;
    bool halo = false;  // on white, hiding the lines below it (texts inside the plot)
};

// True when the two texts, each with a margin of `gap` pixels, overlap.
bool LabelsOverlap(const IxLabel& a, const IxLabel& b, double gap = 1.0);
// True when the point lies on the text or within `gap` pixels of it.
bool LabelCovers(const IxLabel& label, const PixelPoint& point, double gap = 1.0);

// A short mark outside the frame: a tick of an axis or of the edge scale.
struct IxMark {
    PixelPoint from;
    PixelPoint to;
    IxFamily family = IxFamily::XGrid;
};

struct IxLayout {
    IxTransform transform;
    std::vector<IxLabel> labels;
    std::vector<IxMark> ticks;
};

// The chart laid out on a width x height paint area: the plot rectangle
// inside its margins, the axes' ticks and numbers (t every 5 K on the left,
// x every 2 g/kg below), the edge scale's numbers around the frame, and the
// labels of the lines inside (phi, i every 10 kJ/kg, rho when shown), each
// where it overlaps no other text and no line's end; a label that finds no
// such place is left out.
IxLayout LayOutIxChart(const IxLines& lines, double width, double height, const IxMeasure& measure,
                       bool densityLines);

// The chart's name: "Wykres i-x powietrza wilgotnego, pb = 101300 Pa".
std::string IxChartTitle(double pb);

// What is drawn on the chart over its lines, in chart units: marked states
// with their names, and strokes between them.
struct IxOverlay {
    struct Point {
        IxPoint at;
        std::string label;
        bool fog = false;    // a state beyond saturation, marked as such
        bool minor = false;  // the end of a construction: a small mark
    };
    enum class Stroke {
        Arrow,         // a process, from its start to its end
        Dashed,        // an inlet of a mixing to the mixed state
        Construction,  // a reading aid (dew point, wet bulb)
    };
    struct Segment {
        IxPoint from;
        IxPoint to;
        Stroke stroke = Stroke::Arrow;
    };
    std::vector<Point> points;
    std::vector<Segment> segments;
};

// The names of the overlay's states beside their marks, clear of each other,
// of the marks and strokes and of the chart's texts `taken` where there is
// room (stepping a little farther out where marks crowd).
std::vector<IxLabel> PlaceOverlayLabels(const IxOverlay& overlay, const IxTransform& transform,
                                        const IxMeasure& measure, const std::vector<IxLabel>& taken);

// The temperature at which saturated air holds x [kg/kg] (the point where
// a vertical line of the chart meets its saturation curve).
double SaturationTemperatureOf(double x, double pb);
// The temperature at which saturated air has the enthalpy i [kJ/kg].
double SaturationTemperatureOfEnthalpy(double i, double pb);

// The readings of a state off the chart: from the state straight down at
// constant x to the saturation curve (the dew point), and along its
// enthalpy line to the saturation curve at the wet-bulb temperature tm.
struct IxConstructions {
    IxPoint state;
    IxPoint dewPoint;
    IxPoint wetBulb;
};
IxConstructions ConstructionsOf(double x, double i, double tm, double pb);

// The calculator's last state as point "K" with both constructions.
IxOverlay CalculatorOverlay(const AirState& state, double pb);

// A chain of air-handling processes: every state a point with its name
// (fog marked), every process an arrow from its start to its end, and a
// mixing's two inlets dashed to the mixed state.
IxOverlay ChainOverlay(const ChainResult& chain);
// `more` drawn over `overlay`.
void AppendOverlay(IxOverlay& overlay, const IxOverlay& more);

// The state of air at a point of the chart, by the calculator's laws.
struct IxReading {
    double t = 0;    // degC; beyond saturation, the fog's temperature
    double phi = 0;  // %
    double x = 0;    // kg/kg, all the water the air carries
    double i = 0;    // kJ/kg
    std::optional<double> rho;  // kg/m3, of unsaturated air
    std::optional<double> tr;   // degC, none for dry air
    std::optional<double> tm;   // degC
    bool fog = false;
    double condensed = 0;  // kg/kg carried as droplets (ice below 0 degC)
};
IxReading ReadingAt(const IxPoint& point, double pb);
// The calculator's state as it computed it (its own rho, tr and tm).
IxReading ReadingOf(const AirState& state);

// The reading as the window shows it, in the locale's number format: t,
// phi, i, tr and tm to 0.1, x in g/kg to 0.01, rho to 0.001; "–" for what
// the state has not; `fog` names the fog and its water (empty otherwise).
struct IxReadingTexts {
    std::string t, phi, x, i, rho, tr, tm, fog;
};
IxReadingTexts ReadingTexts(const IxReading& reading);

}  // namespace vimtal::aircalc
