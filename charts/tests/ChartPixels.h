// What the chart tests look for in a painted chart: the design's colours,
// where a colour lies and how much of it there is.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSvgRenderer>

#include <algorithm>

namespace vimtal::charts::testing {

inline const QRgb kRed = qRgb(255, 0, 0);      // axes, arrows, ticks, legend
inline const QRgb kGrey = qRgb(128, 128, 128);  // grid lines
inline const QRgb kBlue = qRgb(0, 0, 255);      // the curve
inline const QRgb kWhite = qRgb(255, 255, 255);

// A white W x H image, as a chart is drawn on.
inline QImage Blank(int W, int H) {
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The pixels of `colour` in `area` (the whole image when none is given).
inline int Count(const QImage& image, QRgb colour, QRect area = {}) {
    if (area.isNull()) area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

// The bounding box of the pixels of one colour, and their number.
struct Extent {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    int count = 0;
};
inline Extent Of(const QImage& image, QRgb colour) {
    Extent e;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) {
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
                ++e.count;
            }
    return e;
}

// An SVG drawn by Qt's SVG renderer onto a black image of `size`: a white
// background must come from the drawing. Null when the SVG is not valid.
inline QImage RenderedSvg(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

}  // namespace vimtal::charts::testing
