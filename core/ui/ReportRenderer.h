// Calculation reports on paper: a ReportDocument (core/Report.h) laid out on
// A4 portrait sheets with 20 mm margins and drawn on any paged device, a
// QPdfWriter for a PDF file or a QPrinter.
//
// Every page has a header (the program's logo, its name and version, the
// window's caption, the date and time) and a footer "Strona N z M"
// (ReportFrame.h). Tables break across pages with their title row repeated
// (ReportLayout.h, with the column widths of core/ReportColumns.h); a chart
// is drawn by the window's own drawing code as vectors (see
// charts::DrawChartOnPage). The whole document is laid out first
// (ReportPager.h), so the page count is known to every footer. The last
// page ends with the fields for the signatures.
//
//   Report report{ReportDocument("Symulacja ..."), {}};
//   report.document.Inputs().Add("Wysokość zasobnika", "H", "1,2", "m");
//   report.document.AddChart("tw", "Temperatura wody tw=f(t)", 500, 305);
//   report.charts["tw"] = [this](QPainter& painter, const QRect& target) {
//       const QSize grid = charts::PageChartSize(target, painter.device()->logicalDpiX());
//       charts::DrawChartOnPage(painter, target, grid.width(), grid.height(),
//                               [&](charts::Canvas& canvas, int W, int H) { ... });
//   };
//   SaveReportPdf(path, report);          // safe writing, as the record files
#pragma once

#include "core/Report.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <map>
#include <string>

class QPagedPaintDevice;
class QPainter;
class QRect;

namespace vimtal {

// Draws a chart into `target` (device pixels of the page the painter is on).
using ChartPainter = std::function<void(QPainter& painter, const QRect& target)>;

// What a window hands over for its report: the content and a drawing for
// each chart id the content names.
struct Report {
    ReportDocument document;
    std::map<std::string, ChartPainter> charts;
};

struct ReportRenderOptions {
    // The date and time in the headers; empty: the current local time.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    QString logo = QStringLiteral(":/images/logo.svg");
    // Pages to draw, counted from 1; 0 and 0: all of them.
    int firstPage = 0;
    int lastPage = 0;
};

// Sets the page layout of the device (A4 portrait, 20 mm margins), lays the
// report out and draws the pages asked for. Returns the number of pages of
// the whole report. Raises an error when the device cannot be painted on or
// a chart has no drawing.
int RenderReport(const Report& report, QPagedPaintDevice& device, const ReportRenderOptions& options = {});

// The report as the bytes of a PDF file.
QByteArray ReportPdf(const Report& report, const ReportRenderOptions& options = {});

// Writes the PDF to `path` the safe way (core/Files.h): the previous file is
// kept when writing fails.
void SaveReportPdf(const QString& path, const Report& report, const ReportRenderOptions& options = {});

}  // namespace vimtal
