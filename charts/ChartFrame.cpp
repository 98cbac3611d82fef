#include "ChartFrame.h"

#include "core/Errors.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace vimtal::charts {

QFont ChartFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);  // an 8-point face on a 96 dpi screen
    return font;
}

namespace {
// The centre of a pixel, where vector strokes run.
QPointF Centre(qreal x, qreal y) { return {x + 0.5, y + 0.5}; }
}  // namespace

Canvas::Canvas(QPainter& painter, Output output) : painter_(&painter), output_(output) {
    painter_->setRenderHint(QPainter::Antialiasing, output_ == Output::Vectors);
}

Canvas::Canvas(CanvasRecording& recording) : recording_(&recording) {}

void CanvasRecording::Replay(Canvas& canvas) const {
    for (const Call& c : calls_) {
        switch (c.kind) {
        case Call::Kind::Pen: canvas.SetPen(c.colour, c.style); break;
        case Call::Kind::Move: canvas.MoveTo(c.x1, c.y1); break;
        case Call::Kind::Line: canvas.LineTo(c.x1, c.y1); break;
        case Call::Kind::Rectangle: canvas.Rectangle(c.x1, c.y1, c.x2, c.y2); break;
        case Call::Kind::Text: canvas.TextOut(c.x1, c.y1, c.text); break;
        }
    }
}

Canvas::~Canvas() { Flush(); }

void Canvas::SetPen(const QColor& colour, Style style) {
    if (recording_) recording_->calls_.push_back({CanvasRecording::Call::Kind::Pen, 0, 0, 0, 0, colour, style, {}});
    if (output_ == Output::Vectors && (colour != colour_ || style != style_)) Flush();
    colour_ = colour;
    style_ = style;
}

void Canvas::Flush() {
    if (polyline_.size() >= 2) {
        // As on the classic canvas the run covers its first pixel whole and
        // stops short of its last one: the ends move half a pixel back along
        // the first and the last segment, and the caps are flat.
        auto along = [](QPointF from, QPointF to) {
            const QPointF d = to - from;
            const qreal length = std::hypot(d.x(), d.y());
            return d * (0.5 / length);
        };
        const qsizetype n = polyline_.size();
        polyline_[0] -= along(polyline_[0], polyline_[1]);
        polyline_[n - 1] -= along(polyline_[n - 2], polyline_[n - 1]);
        painter_->setPen(QPen(colour_, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter_->setBrush(Qt::NoBrush);
        painter_->drawPolyline(polyline_);
        ++strokes_;
    }
    polyline_.clear();
}

void Canvas::VectorLineTo(int x, int y) {
    if (style_ == Style::Solid) {
        // Joined to the run being drawn while the pen goes on from its end.
        const QPointF from = Centre(x_, y_);
        if (!polyline_.isEmpty() && polyline_.constLast() != from) Flush();
        if (polyline_.isEmpty()) polyline_ << from;
        polyline_ << Centre(x, y);
    } else {
        // The classic dash counts pixels along the longer side: 18 drawn,
        // 6 left out. Each dash covers its pixels edge to edge.
        Flush();
        const int steps = std::max(std::abs(x - x_), std::abs(y - y_));
        const qreal dx = static_cast<qreal>(x - x_) / steps, dy = static_cast<qreal>(y - y_) / steps;
        painter_->setPen(QPen(colour_, 1.0, Qt::SolidLine, Qt::FlatCap));
        for (int first = 0; first < steps; first += 24) {
            const qreal a = first - 0.5, b = std::min(first + 18, steps) - 0.5;
            painter_->drawLine(Centre(x_ + a * dx, y_ + a * dy), Centre(x_ + b * dx, y_ + b * dy));
            ++strokes_;
        }
    }
}

void Canvas::MoveTo(int x, int y) {
    if (recording_) recording_->calls_.push_back({CanvasRecording::Call::Kind::Move, x, y, 0, 0, {}, {}, {}});
    x_ = x;
    y_ = y;
}

void Canvas::LineTo(int x, int y) {
    if (recording_) {
        recording_->calls_.push_back({CanvasRecording::Call::Kind::Line, x, y, 0, 0, {}, {}, {}});
        x_ = x;
        y_ = y;
        return;
    }
    if (output_ == Output::Vectors) {
        if (x != x_ || y != y_) VectorLineTo(x, y);
        x_ = x;
        y_ = y;
        return;
    }
    // Bresenham from the pen position, every pixel but the last.
    points_.clear();
    const int dx = std::abs(x - x_), sx = x_ < x ? 1 : -1;
    const int dy = -std::abs(y - y_), sy = y_ < y ? 1 : -1;
    int error = dx + dy;
    int px = x_, py = y_;
    int index = 0;
    while (px != x || py != y) {
        // The classic one-pixel dash: 18 pixels drawn, 6 left out.
        if (style_ == Style::Solid || index % 24 < 18) points_.emplace_back(px, py);
        ++index;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            px += sx;
        }
        if (twice <= dx) {
            error += dx;
            py += sy;
        }
    }
    if (!points_.empty()) {
        painter_->setPen(QPen(colour_, 0));
        painter_->drawPoints(points_.data(), static_cast<int>(points_.size()));
    }
    x_ = x;
    y_ = y;
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    if (recording_) {
        recording_->calls_.push_back({CanvasRecording::Call::Kind::Rectangle, x1, y1, x2, y2, {}, {}, {}});
        return;
    }
    if (output_ == Output::Vectors) {
        Flush();
        // The outline as four bands a pixel wide: exact however thin the
        // rectangle is.
        painter_->fillRect(QRectF(x1, y1, x2 - x1, y2 - y1), QColor(255, 255, 255));
        const QRectF bands[] = {{qreal(x1), qreal(y1), qreal(x2 - x1), 1.0},
                                {qreal(x1), qreal(y2 - 1), qreal(x2 - x1), 1.0},
                                {qreal(x1), qreal(y1), 1.0, qreal(y2 - y1)},
                                {qreal(x2 - 1), qreal(y1), 1.0, qreal(y2 - y1)}};
        painter_->setPen(Qt::NoPen);
        painter_->setBrush(colour_);
        painter_->drawRects(bands, 4);
        painter_->setBrush(Qt::NoBrush);
        ++strokes_;
        return;
    }
    painter_->fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), QColor(255, 255, 255));
    const int keepX = x_, keepY = y_;
    const Style keepStyle = style_;
    style_ = Style::Solid;
    MoveTo(x1, y1);
    LineTo(x2 - 1, y1);
    LineTo(x2 - 1, y2 - 1);
    LineTo(x1, y2 - 1);
    LineTo(x1, y1);
    style_ = keepStyle;
    MoveTo(keepX, keepY);
}

void Canvas::TextOut(int x, int y, const QString& text) {
    if (recording_) {
        recording_->calls_.push_back({CanvasRecording::Call::Kind::Text, x, y, 0, 0, {}, {}, text});
        return;
    }
    Flush();
    painter_->save();
    // The opaque box behind the text on whole pixels, as on the screen.
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setFont(ChartFont());
    painter_->setPen(QColor(0, 0, 0));
    painter_->setBackgroundMode(Qt::OpaqueMode);
    painter_->setBackground(QColor(255, 255, 255));
    painter_->drawText(QRect(x, y, 2000, 200), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    painter_->restore();
}

void DrawFrame(Canvas& canvas, int W, int H, const FrameTitles& titles) {
    canvas.SetPen(kAxisColour);
    // Horizontal axis and its arrow head.
    canvas.MoveTo(20, H - 20);
    canvas.LineTo(W - 20, H - 20);
    canvas.LineTo(W - 30, H - 25);
    canvas.MoveTo(W - 20, H - 20);
    canvas.LineTo(W - 30, H - 15);
    // Vertical axis and its arrow head.
    canvas.MoveTo(20, H - 20);
    canvas.LineTo(20, 20);
    canvas.LineTo(25, 30);
    canvas.MoveTo(20, 20);
    canvas.LineTo(15, 30);
    canvas.TextOut(30, 20, titles.vertical);
    canvas.TextOut(W - 50, H - 40, titles.horizontal);
    // Legend: a white box with a red border, a sample line and the text.
    canvas.Rectangle(W - 155, 5, W - 5, 35);
    canvas.MoveTo(W - 150, 15);
    canvas.LineTo(W - 110, 15);
    canvas.TextOut(W - 100, 10, titles.legend);
}

void DrawHorizontalTick(Canvas& canvas, int H, int x, int labelX, const QString& label) {
    canvas.SetPen(kAxisColour);
    canvas.MoveTo(x, H - 25);
    canvas.LineTo(x, H - 15);
    canvas.TextOut(labelX, H - 14, label);
    canvas.SetPen(kGridColour, Canvas::Style::Dash);
    canvas.MoveTo(x, H - 25);
    canvas.LineTo(x, 40);
}

void DrawVerticalTick(Canvas& canvas, int W, int y, int labelY, const QString& label) {
    canvas.SetPen(kAxisColour);
    canvas.MoveTo(15, y);
    canvas.LineTo(25, y);
    canvas.TextOut(4, labelY, label);
    canvas.SetPen(kGridColour, Canvas::Style::Dash);
    canvas.MoveTo(25, y);
    canvas.LineTo(W - 25, y);
}

void DrawTicks(Canvas& canvas, int W, int H, const std::vector<ChartTick>& horizontal,
               const std::vector<ChartTick>& vertical) {
    for (const ChartTick& tick : horizontal) {
        DrawHorizontalTick(canvas, H, tick.position, tick.labelPosition, QString::fromStdString(tick.label));
    }
    for (const ChartTick& tick : vertical) {
        DrawVerticalTick(canvas, W, tick.position, tick.labelPosition, QString::fromStdString(tick.label));
    }
}

Curve::Curve(Canvas& canvas, std::vector<PlotPoint>* points) : canvas_(canvas), points_(points) {
    canvas_.SetPen(kCurveColour);
}

void Curve::Segment(int x, int y) {
    canvas_.SetPen(kCurveColour);
    canvas_.LineTo(x, y);
    ++segments_;
}

void DrawChartOnPage(QPainter& painter, const QRect& target, int W, int H,
                     const std::function<void(Canvas& canvas, int W, int H)>& draw) {
    if (W <= 0 || H <= 0 || target.isEmpty()) return;
    struct Restore {
        QPainter& painter;
        ~Restore() { painter.restore(); }
    } restore{painter};
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(static_cast<qreal>(target.width()) / W, static_cast<qreal>(target.height()) / H);
    painter.fillRect(QRect(0, 0, W, H), QColor(255, 255, 255));
    Canvas canvas(painter, Canvas::Output::Vectors);
    draw(canvas, W, H);
    canvas.Flush();
}

QSize PageChartSize(const QRect& target, int dotsPerInch) {
    if (dotsPerInch <= 0) return {};
    auto grid = [dotsPerInch](int dots) { return static_cast<int>(std::lround(dots * 96.0 / dotsPerInch)); };
    return {grid(target.width()), grid(target.height())};
}

std::function<void(QPainter& painter, const QRect& target)> PageChart(
    std::function<void(Canvas& canvas, int W, int H)> draw) {
    return [draw = std::move(draw)](QPainter& painter, const QRect& target) {
        const QSize grid = PageChartSize(target, painter.device()->logicalDpiX());
        DrawChartOnPage(painter, target, grid.width(), grid.height(), draw);
    };
}

std::optional<std::string> ChartRefusal(const std::function<bool(MessageSink& messages)>& prepare) {
    RecordingMessageSink messages;
    try {
        if (prepare(messages)) return std::nullopt;
    } catch (const VimtalError& e) {
        return e.what();
    }
    std::string reason;
    for (const auto& m : messages.messages) reason += (reason.empty() ? "" : " ") + m.text;
    return reason;
}

}  // namespace vimtal::charts
