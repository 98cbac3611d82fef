// Drawing of the two chart windows.
//
// Canvas draws the way the charts were designed on the classic Windows
// canvas: a one-pixel pen moved with MoveTo/LineTo, each line covering every
// pixel from its start up to but not including its end pixel; rectangles
// that cover their left and top edges but not their right and bottom ones;
// text placed by its top left corner, opaque on white.
//
// DrawFrame and the tick helpers draw the frame both charts share: red axes
// with arrow heads, the axis titles, a white legend box with a sample line,
// ticks with labels and dashed grey grid lines. Coordinates are those of the
// paint box (W x H pixels, origin top left); the chart's origin is at
// (20, H - 20) and the axes end 20 pixels from the right and top edges.
//
// On paper (a PDF or a printer) the same drawing code draws vectors: a Canvas
// made with Output::Vectors joins the pen's moves into polylines through the
// pixel centres, one pixel wide, so a chart scaled onto a page stays sharp
// and small. DrawChartOnPage sets that up for a target rectangle of a page.
//
// A chart computed on a worker thread draws there on a Canvas made over a
// CanvasRecording, which keeps the calls; the window's thread then makes the
// same calls on a canvas over its image. Only the window's thread paints:
// text rasterised on another thread changes how the toolkit draws text
// afterwards, down to single pixels of other windows.
#pragma once

#include "charts/ChartScale.h"
#include "core/Messages.h"
#include "core/Pixels.h"

#include <QColor>
#include <QFont>
#include <QPolygonF>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class QRect;

namespace vimtal::charts {

inline const QColor kAxisColour{255, 0, 0};     // axes, arrows, ticks, legend
inline const QColor kGridColour{128, 128, 128};  // dashed grid lines
inline const QColor kCurveColour{0, 0, 255};     // the curve

QFont ChartFont();

// Nearest whole pixel, halves to even (far points held a million pixels
// away); see core/Pixels.h.
inline int Nearest(long double value) { return NearestPixel(value); }

class CanvasRecording;

class Canvas {
public:
    enum class Style { Solid, Dash };
    // Pixels: the classic canvas's pixels, exactly (the chart windows).
    // Vectors: the same lines as vector strokes through the pixel centres.
    enum class Output { Pixels, Vectors };

    explicit Canvas(QPainter& painter, Output output = Output::Pixels);
    // Draws nothing: keeps every call in `recording`, to be made again on
    // another canvas (CanvasRecording::Replay).
    explicit Canvas(CanvasRecording& recording);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void SetPen(const QColor& colour, Style style = Style::Solid);
    void MoveTo(int x, int y);
    // From the pen position to (x, y), leaving out the end pixel; the pen
    // position moves to (x, y). A line to the pen position draws nothing.
    void LineTo(int x, int y);
    // Outline with the pen, filled white; covers x1..x2-1 and y1..y2-1.
    void Rectangle(int x1, int y1, int x2, int y2);
    void TextOut(int x, int y, const QString& text);

    int PenX() const { return x_; }
    int PenY() const { return y_; }

    // Vectors: draws the polyline still being joined (done by the destructor
    // too, and before anything else is drawn).
    void Flush();
    // Vectors: the strokes sent to the painter so far (a polyline, a dash or
    // a rectangle's outline counts one).
    long long StrokesDrawn() const { return strokes_; }

private:
    void VectorLineTo(int x, int y);

    QPainter* painter_ = nullptr;
    CanvasRecording* recording_ = nullptr;
    Output output_ = Output::Pixels;
    QColor colour_{0, 0, 0};
    Style style_ = Style::Solid;
    int x_ = 0;
    int y_ = 0;
    std::vector<QPoint> points_;
    QPolygonF polyline_;  // Vectors: the solid run being joined
    long long strokes_ = 0;
};

// The calls made on a recording canvas, in their order.
class CanvasRecording {
public:
    // Makes the calls again on `canvas`.
    void Replay(Canvas& canvas) const;
    bool Empty() const { return calls_.empty(); }

private:
    friend class Canvas;
    struct Call {
        enum class Kind { Pen, Move, Line, Rectangle, Text } kind;
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        QColor colour;
        Canvas::Style style = Canvas::Style::Solid;
        QString text;
    };
    std::vector<Call> calls_;
};

struct FrameTitles {
    QString vertical;    // at (30, 20), e.g. "tw [C]"
    QString horizontal;  // at (W - 50, H - 40), e.g. "t [min]"
    QString legend;      // at (W - 100, 10), e.g. "tw=f(t)"
};

// Axes, arrow heads, axis titles and the legend box.
void DrawFrame(Canvas& canvas, int W, int H, const FrameTitles& titles);

// A tick on the horizontal axis at x: red mark from (x, H - 25) to
// (x, H - 15), the label at (labelX, H - 14), a grey dashed grid line from
// (x, H - 25) up to (x, 40).
void DrawHorizontalTick(Canvas& canvas, int H, int x, int labelX, const QString& label);

// A tick on the vertical axis at y: red mark from (15, y) to (25, y), the
// label at (4, labelY), a grey dashed grid line from (25, y) to (W - 25, y).
void DrawVerticalTick(Canvas& canvas, int W, int y, int labelY, const QString& label);

// Every tick of a scale: the horizontal axis's, then the vertical axis's.
void DrawTicks(Canvas& canvas, int W, int H, const std::vector<ChartTick>& horizontal,
               const std::vector<ChartTick>& vertical);

// The curve, drawn point by point as the model steps, in the curve colour.
// A segment is drawn only when its end pixel differs from the pen position:
// a run of ten million steps lands on a few hundred pixels, and a line to
// the pen position draws nothing anyway, so the picture is the same.
//
// When given a list of points, the curve keeps the point (in the units of
// the axes) of its start and of every vertex it is drawn through: the
// points an export of the chart's data writes.
class Curve {
public:
    explicit Curve(Canvas& canvas, std::vector<PlotPoint>* points = nullptr);
    void MoveTo(int x, int y, const PlotPoint& at) {
        canvas_.MoveTo(x, y);
        if (points_) points_->push_back(at);
    }
    // `value()` gives the point of (x, y) in the units of the axes; it is
    // asked only for a vertex that is drawn and kept.
    template <typename Value>
    void LineTo(int x, int y, Value&& value) {
        if (x == canvas_.PenX() && y == canvas_.PenY()) return;
        Segment(x, y);
        if (points_) points_->push_back(value());
    }
    // A curve whose points are not kept (a drawing of a made-up curve).
    void MoveTo(int x, int y) { MoveTo(x, y, PlotPoint{}); }
    void LineTo(int x, int y) {
        LineTo(x, y, [] { return PlotPoint{}; });
    }
    long long SegmentsDrawn() const { return segments_; }

private:
    void Segment(int x, int y);

    Canvas& canvas_;
    std::vector<PlotPoint>* points_;
    long long segments_ = 0;
};

// Draws a W x H chart onto the target rectangle of a page (a QPdfWriter's or
// a QPrinter's painter, or any other), as vectors, scaled to fill the target.
// `draw` is the chart windows' own drawing code given a vector canvas. A
// curve joins pixels of the W x H grid, so pick W x H for the pixel the page
// should have: PageChartSize gives one of 1/96 inch, a screen's pixel, at
// which the charts' 11-pixel texts print at the size the screen shows them.
void DrawChartOnPage(QPainter& painter, const QRect& target, int W, int H,
                     const std::function<void(Canvas& canvas, int W, int H)>& draw);

// The chart grid that fills `target` on a device of `dotsPerInch` with
// pixels of 1/96 inch.
QSize PageChartSize(const QRect& target, int dotsPerInch);

// A chart of a calculation report (core/ui/ReportRenderer.h's ChartPainter):
// `draw` given a vector canvas of the PageChartSize grid of the target.
std::function<void(QPainter& painter, const QRect& target)> PageChart(
    std::function<void(Canvas& canvas, int W, int H)> draw);

// Why a report's chart cannot be drawn from the inputs as they are now:
// the message of the check `prepare` makes (it returns false when the check
// refuses the inputs) or the text of the error it raises; nothing when the
// chart can be drawn. A report says so in place of the chart.
std::optional<std::string> ChartRefusal(const std::function<bool(MessageSink& messages)>& prepare);

}  // namespace vimtal::charts
