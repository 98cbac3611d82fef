// Build tool: turns a Markdown text of the repository into a PDF document.
//
//   makepdf <source.md> <output.pdf> [title]
//
// Used for the algorithm documents the program opens beside itself.
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: makepdf <source.md> <output.pdf> [title]\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makepdf: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString text = QString::fromUtf8(source.readAll());
    const QString output = QString::fromLocal8Bit(argv[2]);

    QPdfWriter writer(output);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    writer.setResolution(300);
    if (argc > 3) writer.setTitle(QString::fromUtf8(argv[3]));
    writer.setCreator(QStringLiteral("Vimtal"));

    QTextDocument document;
    // Lay the text out with the PDF's own resolution and page, so that it
    // fills the page between the margins at the intended size.
    document.documentLayout()->setPaintDevice(&writer);
    const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
    document.setPageSize(QSizeF(page.size()));
    document.setDocumentMargin(0);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(11);
    document.setDefaultFont(font);
    document.setMarkdown(text);
    document.print(&writer);
    if (!QFile::exists(output)) {
        std::fprintf(stderr, "makepdf: %s was not written\n", argv[2]);
        return 1;
    }
    return 0;
}
