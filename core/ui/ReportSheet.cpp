#include "ReportSheet.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace vimtal::paper {

QFont Font(double points, bool bold, bool italic) {
    QFont font(QGuiApplication::font().family());
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

Sheet::Sheet(QPaintDevice& device)
    : device_(device), dpi_(device.logicalDpiY()), width_(device.width()), height_(device.height()) {}

double Sheet::LineHeight(const QFont& font) const { return QFontMetricsF(font, &device_).height(); }

double Sheet::TextWidth(const QFont& font, const QString& text) const {
    const QFontMetricsF metrics(font, &device_);
    double widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

double Sheet::TextHeight(const QFont& font, const QString& text, double width) const {
    if (text.isEmpty()) return LineHeight(font);
    const QFontMetricsF metrics(font, &device_);
    return metrics.boundingRect(QRectF(0, 0, std::max(width, 1.0), 1e9), Qt::TextWordWrap, text).height();
}

double Sheet::WidestUnbreakable(const QFont& font, const QString& text) const {
    QTextLayout layout(text, font, &device_);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    double widest = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(0);
        widest = std::max(widest, line.naturalTextWidth());
    }
    layout.endLayout();
    return widest;
}

void Rule(QPainter& painter, double x1, double x2, double y, const QColor& colour, double width) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x1, y), QPointF(x2, y));
}

void Text(QPainter& painter, const QRectF& box, const QFont& font, const QColor& colour, Qt::Alignment align,
          const QString& text) {
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, static_cast<int>(align) | Qt::TextWordWrap, text);
}

}  // namespace vimtal::paper
