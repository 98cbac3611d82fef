#include "ReportFrame.h"

#include "ReportPager.h"
#include "ReportSheet.h"
#include "Text.h"
#include "core/Report.h"
#include "core/Version.h"

#include <QPainter>
#include <QSvgRenderer>

namespace vimtal::paper {

namespace {

constexpr double kHeaderMm = 21;  // the header and the space below it
constexpr double kFooterMm = 10;  // the space above the footer and the footer
constexpr double kSignaturesMm = 20;
constexpr double kSignaturesGapMm = 10;

// The logo at the top left, as high as the header's two lines; returns
// where the texts beside it begin.
double DrawLogo(QPainter& painter, const Sheet& sheet, QSvgRenderer* logo) {
    if (!logo || !logo->isValid()) return 0;
    const double logoHeight = sheet.Mm(14);
    const QSizeF size = logo->defaultSize();
    const double logoWidth = size.height() > 0 ? logoHeight * size.width() / size.height() : logoHeight;
    logo->render(&painter, QRectF(0, 0, logoWidth, logoHeight));
    return logoWidth + sheet.Mm(4);
}

void DrawHeader(QPainter& painter, const Sheet& sheet, const QString& caption, QSvgRenderer* logo,
                const QDateTime& when) {
    const double w = sheet.Width();
    const double x = DrawLogo(painter, sheet, logo);
    const QFont program = Font(10, true);
    const QFont detail = Font(8.5);
    const QString date = FromStd(report::DateLine(when.date().year(), when.date().month(), when.date().day(),
                                                  when.time().hour(), when.time().minute()));
    const double top = sheet.Mm(1.5);
    Text(painter, QRectF(x, top, w - x, sheet.LineHeight(program)), program, kAccent, Qt::AlignLeft | Qt::AlignTop,
         QString::fromUtf8(kProgramCaption));
    Text(painter, QRectF(x, top, w - x, sheet.LineHeight(program)), detail, kQuiet, Qt::AlignRight | Qt::AlignTop,
         date);
    // The caption on one line: a long one in a smaller face.
    QFont captionFont = Font(12, true);
    for (double points = 12; points > 7.5; points -= 0.5) {
        captionFont = Font(points, true);
        if (sheet.TextWidth(captionFont, caption) <= w - x) break;
    }
    const double captionTop = top + sheet.LineHeight(program) + sheet.Mm(1);
    painter.setFont(captionFont);
    painter.setPen(kInk);
    painter.drawText(QRectF(x, captionTop, w - x, sheet.LineHeight(captionFont)), Qt::AlignLeft | Qt::AlignTop,
                     caption);
    Rule(painter, 0, w, sheet.Mm(16), kAccent, sheet.Pt(0.8));
}

void DrawFooter(QPainter& painter, const Sheet& sheet, int number, int count) {
    const double w = sheet.Width();
    const double footerRule = sheet.Height() - sheet.Mm(7);
    Rule(painter, 0, w, footerRule, kQuiet, sheet.Hairline());
    const QFont footer = Font(8);
    Text(painter, QRectF(0, footerRule + sheet.Mm(1.5), w, sheet.LineHeight(footer)), footer, kQuiet,
         Qt::AlignRight | Qt::AlignTop, FromStd(report::PageNumber(number, count)));
}

}  // namespace

double HeaderHeight(const Sheet& sheet) { return sheet.Mm(kHeaderMm); }
double FooterHeight(const Sheet& sheet) { return sheet.Mm(kFooterMm); }

void DrawPageFrame(QPainter& painter, const Sheet& sheet, const QString& caption, int number, int count,
                   QSvgRenderer* logo, const QDateTime& when) {
    DrawHeader(painter, sheet, caption, logo, when);
    DrawFooter(painter, sheet, number, count);
}

double SignaturesRoom(const Sheet& sheet) { return sheet.Mm(kSignaturesGapMm) + sheet.Mm(kSignaturesMm); }

void PlaceSignatures(Pager& pager, const Sheet& sheet) {
    const QFont label = Font(9);
    const QFont hint = Font(7, false, true);
    const double h = sheet.Mm(kSignaturesMm);
    pager.Gap(sheet.Mm(kSignaturesGapMm));
    pager.Ensure(h);
    const double y = pager.Y();
    const double w = sheet.Width();
    const double line = sheet.Mm(12);
    const double hairline = sheet.Hairline();
    const double hintHeight = sheet.LineHeight(hint);
    pager.Add([=](QPainter& painter) {
        const QString who[] = {FromStd(report::kPreparedBy), FromStd(report::kCheckedBy)};
        for (int i = 0; i < 2; ++i) {
            const double x = i * w / 2;
            const double column = w / 2 - w * 0.08;
            Text(painter, QRectF(x, y, column, line), label, kInk, Qt::AlignLeft | Qt::AlignTop, who[i]);
            painter.setPen(QPen(kInk, hairline, Qt::DotLine));
            painter.drawLine(QPointF(x, y + line), QPointF(x + column, y + line));
            Text(painter, QRectF(x, y + line + hairline * 4, column, hintHeight), hint, kQuiet,
                 Qt::AlignHCenter | Qt::AlignTop, FromStd(report::kSignatureHint));
        }
    });
    pager.Advance(h);
}

}  // namespace vimtal::paper
