#include "ReportRenderer.h"

#include "ReportFrame.h"
#include "ReportLayout.h"
#include "ReportSheet.h"
#include "Text.h"
#include "core/Files.h"
#include "core/Version.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>

#include <algorithm>
#include <stdexcept>

namespace vimtal {

int RenderReport(const Report& report, QPagedPaintDevice& device, const ReportRenderOptions& options) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                     QPageLayout::Millimeter));
    const std::vector<paper::Page> pages = paper::LayOutBody(report, device);
    const int count = static_cast<int>(pages.size());
    const int first = std::max(options.firstPage, 1);
    const int last = options.lastPage > 0 ? std::min(options.lastPage, count) : count;
    if (first > last) return count;

    const QDateTime when = options.clock ? options.clock() : QDateTime::currentDateTime();
    const paper::Sheet sheet(device);
    const QString caption = FromStd(report.document.Caption());
    QSvgRenderer logo(options.logo);
    QPainter painter;
    if (!painter.begin(&device)) throw std::runtime_error("Nie można rozpocząć drukowania raportu.");
    for (int number = first; number <= last; ++number) {
        if (number > first && !device.newPage()) {
            throw std::runtime_error("Nie można rozpocząć kolejnej strony raportu.");
        }
        painter.save();
        paper::DrawPageFrame(painter, sheet, caption, number, count, logo.isValid() ? &logo : nullptr, when);
        painter.restore();
        for (const paper::Op& op : pages[static_cast<std::size_t>(number - 1)]) {
            painter.save();
            op(painter);
            painter.restore();
        }
    }
    painter.end();
    return count;
}

QByteArray ReportPdf(const Report& report, const ReportRenderOptions& options) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setTitle(FromStd(report.document.Caption()));
        writer.setCreator(QString::fromUtf8(kProgramCaption));
        RenderReport(report, writer, options);
    }
    return pdf;
}

void SaveReportPdf(const QString& path, const Report& report, const ReportRenderOptions& options) {
    const QByteArray pdf = ReportPdf(report, options);
    WriteFileAtomically(ToStd(path), Bytes(pdf.begin(), pdf.end()));
}

}  // namespace vimtal
