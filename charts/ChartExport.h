// A chart out of the program: its picture as an SVG drawing of the chart
// window's own pixels, and the points of its curve for a spreadsheet.
#pragma once

#include "charts/ChartScale.h"
#include "core/ShortString.h"

#include <QByteArray>

#include <string>
#include <vector>

class QImage;

namespace vimtal::charts {

// The image as an SVG drawing of exactly its pixels. The chart is drawn on
// the pixel grid (one-pixel lines, text rasterised for the screen), and an
// SVG renderer would draw lines through pixel centres with half-covered
// edges and set the texts in its own way; so each run of pixels of one
// colour becomes a rectangle on the grid, the runs of consecutive rows that
// match merged into one (a vertical line is one rectangle), the rectangles
// of a colour one path, on a white background, shape-rendering="crispEdges".
// Rendered at the image's size it gives back the image pixel for pixel; at
// a larger size, sharp rectangles.
QByteArray PixelExactSvg(const QImage& image);

// The points of a curve as a Polish spreadsheet opens them (core/Csv.h): a
// header line with the two quantities and their units ("t [min]",
// "tw [°C]"), then one line per point, each number as the program writes
// numbers (the locale's decimal mark, up to 15 significant digits).
Bytes PointsCsv(const std::string& xTitle, const std::string& yTitle, const std::vector<PlotPoint>& points);

}  // namespace vimtal::charts
