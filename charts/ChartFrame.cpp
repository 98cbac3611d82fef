#include "ChartFrame.h"

#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace vimtal::charts {

QFont ChartFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);  // an 8-point face on a 96 dpi screen
    return font;
}

Canvas::Canvas(QPainter& painter) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void Canvas::SetPen(const QColor& colour, Style style) {
    colour_ = colour;
    style_ = style;
}

void Canvas::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void Canvas::LineTo(int x, int y) {
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
        painter_.setPen(QPen(colour_, 0));
        painter_.drawPoints(points_.data(), static_cast<int>(points_.size()));
    }
    x_ = x;
    y_ = y;
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    painter_.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), QColor(255, 255, 255));
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
    painter_.save();
    painter_.setFont(ChartFont());
    painter_.setPen(QColor(0, 0, 0));
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(QColor(255, 255, 255));
    painter_.drawText(QRect(x, y, 2000, 200), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    painter_.restore();
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

Curve::Curve(Canvas& canvas, std::vector<PlotPoint>* points) : canvas_(canvas), points_(points) {
    canvas_.SetPen(kCurveColour);
}

void Curve::Segment(int x, int y) {
    canvas_.SetPen(kCurveColour);
    canvas_.LineTo(x, y);
    ++segments_;
}

}  // namespace vimtal::charts
