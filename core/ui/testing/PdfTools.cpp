#include "PdfTools.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vimtal::testing {

namespace {
// Runs the tool on the PDF written to a temporary file; its standard output.
QByteArray Run(const QString& program, QStringList arguments, const QByteArray& pdf, QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
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
    QTemporaryDir dir;
    const QString text = QString::fromUtf8(
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                          QStringLiteral("%pdf"), QStringLiteral("-")},
            pdf, dir));
    QStringList pages = text.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();  // after the last page's feed
    return pages;
}

QString PdfInfo(const QByteArray& pdf, const QString& field) {
    QTemporaryDir dir;
    const QString info = QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {QStringLiteral("%pdf")}, pdf, dir));
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(field + QLatin1Char(':'))) return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

int PdfPageCount(const QByteArray& pdf) { return PdfInfo(pdf, QStringLiteral("Pages")).toInt(); }

QImage PdfPageImage(const QByteArray& pdf, int page, int dpi, const QString& keepAs) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page),
         QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"), QStringLiteral("%pdf"), prefix},
        pdf, dir);
    QImage image(prefix + QStringLiteral(".png"));
    if (!keepAs.isEmpty()) image.save(keepAs);
    return image;
}

int Occurrences(const QString& text, const QString& needle) { return static_cast<int>(text.count(needle)); }

}  // namespace vimtal::testing
