#include "PdfTools.h"
#include "core/testing/TempFolder.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace vimtal::testing {

namespace {
// Runs the tool on the PDF written to a temporary file; its standard output.
QByteArray Run(const QString& program, QStringList arguments, const QByteArray& pdf, vimtal::testing::TempFolder& dir) {
    const QString path = dir.QtFile(QStringLiteral("report.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return {};
    }
    file.close();
    for (QString& argument : arguments) argument.replace(QStringLiteral("%pdf"), path);
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed (install poppler-utils): "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}
}  // namespace

QStringList PdfPageTexts(const QByteArray& pdf) {
    vimtal::testing::TempFolder dir;
    const QString text = QString::fromUtf8(
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                          QStringLiteral("%pdf"), QStringLiteral("-")},
            pdf, dir));
    QStringList pages = text.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();  // after the last page's feed
    return pages;
}

QString PdfInfo(const QByteArray& pdf, const QString& field) {
    vimtal::testing::TempFolder dir;
    const QString info = QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {QStringLiteral("%pdf")}, pdf, dir));
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(field + QLatin1Char(':'))) return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

int PdfPageCount(const QByteArray& pdf) { return PdfInfo(pdf, QStringLiteral("Pages")).toInt(); }

QImage PdfPageImage(const QByteArray& pdf, int page, int dpi, const QString& keepAs) {
    vimtal::testing::TempFolder dir;
    const QString prefix = dir.QtFile(QStringLiteral("page"));
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page),
         QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"), QStringLiteral("%pdf"), prefix},
        pdf, dir);
    QImage image(prefix + QStringLiteral(".png"));
    if (!keepAs.isEmpty()) image.save(keepAs);
    return image;
}

std::vector<PdfWord> PdfPageWords(const QByteArray& pdf, int page) {
    vimtal::testing::TempFolder dir;
    const QString html = QString::fromUtf8(
        Run(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"),
             QString::number(page), QStringLiteral("-l"), QString::number(page), QStringLiteral("%pdf"), QStringLiteral("-")},
            pdf, dir));
    static const QRegularExpression kWord(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    for (auto it = kWord.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF to(m.captured(3).toDouble(), m.captured(4).toDouble());
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
            .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        words.push_back({text, QRectF(from, to)});
    }
    return words;
}

int Occurrences(const QString& text, const QString& needle) { return static_cast<int>(text.count(needle)); }

}  // namespace vimtal::testing
