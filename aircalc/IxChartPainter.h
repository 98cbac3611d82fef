// Drawing of the i-x chart with a QPainter: the same code draws the window's
// picture, the PNG and SVG files and the chart on a report's page.
//
// Everything is drawn in logical pixels of a w x h area with fonts of a
// pixel size, so a painter scaled onto a page draws the same chart in
// vectors. Lines are antialiased and of fractional widths, crisp at any
// device pixel ratio.
#pragma once

#include "aircalc/IxChart.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QSize>

#include <vector>

class QPainter;

namespace vimtal {

// The font of each kind of text.
QFont IxFont(aircalc::IxText kind);
// Measures texts in those fonts, for the layout.
aircalc::IxMeasure IxFontMeasure();

// The line families, the frame, the ticks and every text of the layout.
void PaintIxLines(QPainter& painter, const aircalc::IxLines& lines, const aircalc::IxLayout& layout,
                  bool densityLines);

// The overlay: strokes, marks and the names placed for them.
void PaintIxOverlay(QPainter& painter, const aircalc::IxOverlay& overlay, const aircalc::IxTransform& transform,
                    const std::vector<aircalc::IxLabel>& labels);

// A whole chart on a w x h area, laid out for that size, with its overlay.
struct IxPicture {
    aircalc::IxLines lines;
    aircalc::IxOverlay overlay;
    bool densityLines = false;
};
void PaintIxChart(QPainter& painter, double w, double h, const IxPicture& picture);

// The chart as a PNG image of `size` logical pixels at `ratio` device
// pixels each, and as an SVG drawing (paths and texts) of `size`.
QImage IxChartImage(const IxPicture& picture, QSize size, qreal ratio);
QByteArray IxChartSvg(const IxPicture& picture, QSize size);

}  // namespace vimtal
