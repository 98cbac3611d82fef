// Reading a PDF back in tests with poppler's tools (poppler-utils):
// pdftotext for the text, pdfinfo for the page count and the title, pdftoppm
// for a picture of a page. A missing tool or a failed run fails the test.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace vimtal::testing {

// The text of every page (pdftotext -layout), one string a page.
QStringList PdfPageTexts(const QByteArray& pdf);
// A field of pdfinfo ("Pages", "Title", "Page size").
QString PdfInfo(const QByteArray& pdf, const QString& field);
int PdfPageCount(const QByteArray& pdf);
// Page `page` (from 1) at `dpi` (pdftoppm -png); saved also to `keepAs` when
// given, for a person to look at.
QImage PdfPageImage(const QByteArray& pdf, int page, int dpi, const QString& keepAs = {});
// A word of a page and its box in points (pdftotext -bbox).
struct PdfWord {
    QString text;
    QRectF box;
};
std::vector<PdfWord> PdfPageWords(const QByteArray& pdf, int page);
// How many times `needle` occurs in `text`.
int Occurrences(const QString& text, const QString& needle);

}  // namespace vimtal::testing
