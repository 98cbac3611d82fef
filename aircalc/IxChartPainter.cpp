#include "aircalc/IxChartPainter.h"

#include "core/Version.h"
#include "core/ui/Text.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSvgGenerator>

#include <cmath>
#include <memory>
#include <numbers>

namespace vimtal {

using aircalc::IxFamily;
using aircalc::IxLabel;
using aircalc::IxLine;
using aircalc::IxText;
using aircalc::PixelPoint;

namespace {

// The colours of a printed chart: isotherms red, relative humidity blue,
// enthalpy green, the x grid grey, the edge scale violet.
struct Ink {
    QColor minor;
    QColor major;
    double minorWidth;
    double majorWidth;
    Qt::PenStyle style = Qt::SolidLine;
};

Ink InkOf(IxFamily family) {
    switch (family) {
    case IxFamily::XGrid: return {{218, 218, 218}, {188, 188, 188}, 0.5, 0.7};
    case IxFamily::Isotherm: return {{238, 178, 178}, {196, 52, 52}, 0.5, 0.9};
    case IxFamily::FogIsotherm: return {{232, 186, 186}, {205, 105, 105}, 0.5, 0.8};
    case IxFamily::RelativeHumidity: return {{40, 90, 205}, {40, 90, 205}, 0.9, 0.9};
    case IxFamily::Saturation: return {{16, 40, 150}, {16, 40, 150}, 2.2, 2.2};
    case IxFamily::Enthalpy: return {{140, 185, 140}, {50, 125, 60}, 0.5, 0.9};
    case IxFamily::Density: return {{185, 120, 30}, {185, 120, 30}, 0.8, 0.8, Qt::DashLine};
    case IxFamily::EdgeRay: return {{150, 70, 170}, {150, 70, 170}, 0.7, 0.7, Qt::DotLine};
    }
    return {Qt::black, Qt::black, 1, 1};
}

// Texts a shade darker than their lines, so that they read on white.
QColor TextColour(IxFamily family, IxText kind) {
    if (kind == IxText::Title || kind == IxText::AxisTitle || kind == IxText::Overlay) return Qt::black;
    switch (family) {
    case IxFamily::XGrid: return QColor(40, 40, 40);
    case IxFamily::Isotherm:
    case IxFamily::FogIsotherm: return QColor(150, 20, 20);
    case IxFamily::RelativeHumidity:
    case IxFamily::Saturation: return QColor(16, 40, 150);
    case IxFamily::Enthalpy: return QColor(30, 100, 40);
    case IxFamily::Density: return QColor(150, 90, 10);
    case IxFamily::EdgeRay: return QColor(120, 40, 140);
    }
    return Qt::black;
}

const QColor kFog{226, 236, 246};
const QColor kFrame{0, 0, 0};

QPointF At(const PixelPoint& p) { return {p.x, p.y}; }

QPainterPath PathOf(const aircalc::IxPolyline& piece, const aircalc::IxTransform& transform) {
    QPainterPath path;
    for (std::size_t k = 0; k < piece.size(); ++k) {
        const QPointF p = At(transform.ToPixel(piece[k]));
        if (k == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    return path;
}

void DrawLine(QPainter& painter, const IxLine& line, const aircalc::IxTransform& transform) {
    const Ink ink = InkOf(line.family);
    QPen pen(line.major ? ink.major : ink.minor, line.major ? ink.majorWidth : ink.minorWidth, ink.style);
    // Ice fog: dashed, apart from the water fog of the same temperature.
    if (line.family == IxFamily::FogIsotherm && line.ice) pen.setStyle(Qt::DashLine);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    for (const aircalc::IxPolyline& piece : line.pieces) painter.drawPath(PathOf(piece, transform));
}

void DrawLabel(QPainter& painter, const IxLabel& label) {
    painter.save();
    painter.translate(label.centre.x, label.centre.y);
    painter.rotate(label.angle);
    const QRectF box(-label.size.width / 2, -label.size.height / 2, label.size.width, label.size.height);
    if (label.halo) painter.fillRect(box.adjusted(-1.5, 0, 1.5, 0), Qt::white);
    painter.setFont(IxFont(label.kind));
    painter.setPen(TextColour(label.family, label.kind));
    painter.drawText(box, Qt::AlignCenter, FromStd(label.text));
    painter.restore();
}

// The length of an arrow's head, px.
constexpr double kArrowHead = 8;

void DrawArrowHead(QPainter& painter, const QPointF& from, const QPointF& to) {
    const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
    if (length < 1e-6) return;
    const QPointF d = (to - from) / length, n(-d.y(), d.x());
    const double size = kArrowHead;
    QPolygonF head;
    head << to << to - d * size + n * size * 0.38 << to - d * size - n * size * 0.38;
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(head);
    painter.setBrush(Qt::NoBrush);
}

}  // namespace

QFont IxFont(IxText kind) {
    QFont font(QGuiApplication::font().family());
    font.setStyleStrategy(QFont::PreferAntialias);
    switch (kind) {
    case IxText::Title: font.setPixelSize(13); font.setBold(true); break;
    case IxText::Small: font.setPixelSize(10); font.setItalic(true); break;
    case IxText::AxisTitle: font.setPixelSize(11); font.setBold(true); break;
    case IxText::Tick: font.setPixelSize(11); break;
    case IxText::LineLabel: font.setPixelSize(10); break;
    case IxText::EdgeScale: font.setPixelSize(10); break;
    case IxText::Overlay: font.setPixelSize(12); font.setBold(true); break;
    }
    return font;
}

aircalc::IxMeasure IxFontMeasure() {
    // Fonts are made once: the layout measures some two hundred texts.
    struct Fonts {
        QFontMetricsF metrics[7] = {
            QFontMetricsF(IxFont(IxText::Title)),     QFontMetricsF(IxFont(IxText::Small)),
            QFontMetricsF(IxFont(IxText::AxisTitle)), QFontMetricsF(IxFont(IxText::Tick)),
            QFontMetricsF(IxFont(IxText::LineLabel)), QFontMetricsF(IxFont(IxText::EdgeScale)),
            QFontMetricsF(IxFont(IxText::Overlay)),
        };
    };
    auto fonts = std::make_shared<Fonts>();
    return [fonts](const std::string& text, IxText kind) {
        const QFontMetricsF& m = fonts->metrics[static_cast<int>(kind)];
        return aircalc::TextSize{m.horizontalAdvance(FromStd(text)), m.height()};
    };
}

void PaintIxLines(QPainter& painter, const aircalc::IxLines& lines, const aircalc::IxLayout& layout,
                  bool densityLines) {
    const aircalc::IxTransform& transform = layout.transform;
    const aircalc::PixelRect& plot = transform.Plot();
    const QRectF frame(plot.left, plot.top, plot.width, plot.height);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.save();
    painter.setClipRect(frame);
    if (!lines.fogRegion.empty()) {
        QPolygonF fog;
        for (const aircalc::IxPoint& p : lines.fogRegion) fog << At(transform.ToPixel(p));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kFog);
        painter.drawPolygon(fog);
        painter.setBrush(Qt::NoBrush);
    }
    for (const IxLine& line : lines.lines) {
        if (line.family == IxFamily::Density && !densityLines) continue;
        DrawLine(painter, line, transform);
    }
    // The pole of the edge scale.
    painter.setPen(QPen(InkOf(IxFamily::EdgeRay).major, 1.0));
    painter.drawEllipse(At(transform.ToPixel(lines.pole)), 3.0, 3.0);
    painter.restore();

    painter.setPen(QPen(kFrame, 1.2));
    painter.drawRect(frame);
    for (const aircalc::IxMark& tick : layout.ticks) {
        painter.setPen(QPen(tick.family == IxFamily::EdgeRay ? InkOf(IxFamily::EdgeRay).major : kFrame, 1.0));
        painter.drawLine(At(tick.from), At(tick.to));
    }
    for (const IxLabel& label : layout.labels) DrawLabel(painter, label);
    painter.restore();
}

void PaintIxOverlay(QPainter& painter, const aircalc::IxOverlay& overlay, const aircalc::IxTransform& transform,
                    const std::vector<IxLabel>& labels) {
    using Stroke = aircalc::IxOverlay::Stroke;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const aircalc::PixelRect& plot = transform.Plot();
    painter.setClipRect(QRectF(plot.left, plot.top, plot.width, plot.height).adjusted(-20, -20, 20, 20));
    for (const aircalc::IxOverlay::Segment& s : overlay.segments) {
        const QPointF from = At(transform.ToPixel(s.from)), to = At(transform.ToPixel(s.to));
        switch (s.stroke) {
        case Stroke::Arrow: {
            // From the edge of the start's mark to the edge of the end's,
            // so that the marks, and the arrows meeting at a state, stay
            // apart; an arrow too short for its head is a line.
            painter.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
            const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
            const double clearance = 6.0;
            if (length < 2 * (kArrowHead + clearance)) {
                painter.drawLine(from, to);
                break;
            }
            const QPointF step = (to - from) / length;
            const QPointF tip = to - step * clearance;
            painter.drawLine(from + step * clearance, tip - step * (kArrowHead * 0.5));
            DrawArrowHead(painter, from, tip);
            break;
        }
        case Stroke::Dashed:
            painter.setPen(QPen(Qt::black, 1.2, Qt::DashLine, Qt::FlatCap));
            painter.drawLine(from, to);
            break;
        case Stroke::Construction:
            painter.setPen(QPen(QColor(60, 60, 60), 1.0, Qt::DashLine, Qt::FlatCap));
            painter.drawLine(from, to);
            break;
        }
    }
    for (const aircalc::IxOverlay::Point& p : overlay.points) {
        const QPointF at = At(transform.ToPixel(p.at));
        if (p.minor) {
            painter.setPen(QPen(Qt::black, 1.0));
            painter.setBrush(Qt::white);
            painter.drawEllipse(at, 2.5, 2.5);
        } else {
            painter.setPen(QPen(Qt::white, 1.2));
            painter.setBrush(Qt::black);
            painter.drawEllipse(at, 4.0, 4.0);
        }
        if (p.fog) {
            // Fog: a blue ring around the mark.
            painter.setPen(QPen(InkOf(IxFamily::Saturation).major, 1.4));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, 7.0, 7.0);
        }
        painter.setBrush(Qt::NoBrush);
    }
    for (const IxLabel& label : labels) DrawLabel(painter, label);
    painter.restore();
}

void PaintIxChart(QPainter& painter, double w, double h, const IxPicture& picture) {
    const aircalc::IxMeasure measure = IxFontMeasure();
    const aircalc::IxLayout layout = aircalc::LayOutIxChart(picture.lines, w, h, measure, picture.densityLines);
    painter.fillRect(QRectF(0, 0, w, h), Qt::white);
    PaintIxLines(painter, picture.lines, layout, picture.densityLines);
    PaintIxOverlay(painter, picture.overlay, layout.transform,
                   aircalc::PlaceOverlayLabels(picture.overlay, layout.transform, measure, layout.labels));
}

QImage IxChartImage(const IxPicture& picture, QSize size, qreal ratio) {
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintIxChart(painter, size.width(), size.height(), picture);
    painter.end();
    return image;
}

QByteArray IxChartSvg(const IxPicture& picture, QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(FromStd(aircalc::IxChartTitle(picture.lines.pb)));
    svg.setDescription(QString::fromUtf8(kProgramCaption));
    QPainter painter(&svg);
    PaintIxChart(painter, size.width(), size.height(), picture);
    painter.end();
    return bytes;
}

}  // namespace vimtal
