// Build tool: renders an SVG drawing into a 24-bit BMP file.
//
//   svg2bmp <in.svg> <out.bmp> <width> <height>
//
// Used for the fitting pictures of the pressure-loss calculator, which the
// program loads from calc/ beside itself. The drawing is scaled to the
// requested size with its aspect ratio kept, centred on a white background.
// A picture that would come out incomplete stops the build: an element outside
// the plain drawing elements listed below (the renderer skips markers, filters,
// clip paths and masks without a word) and anything the renderer reports (a
// broken reference, an attribute it cannot read) fail the conversion.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <cstdio>
#include <cstring>

namespace {

int svgMessages = 0;
QtMessageHandler previousHandler = nullptr;

void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (context.category != nullptr && std::strncmp(context.category, "qt.svg", 6) == 0 &&
        type != QtDebugMsg && type != QtInfoMsg) {
        ++svgMessages;
    }
    if (previousHandler != nullptr) previousHandler(type, context, message);
}

// The elements the renderer draws or needs for drawing, and the harmless
// descriptive ones.
bool isDrawnElement(QStringView name) {
    static const char* const drawn[] = {
        "svg",      "g",       "defs",           "title",          "desc", "metadata",
        "rect",     "circle",  "ellipse",        "line",           "polyline",
        "polygon",  "path",    "text",           "tspan",          "use",
        "linearGradient",      "radialGradient", "stop",
    };
    for (const char* element : drawn) {
        if (name == QLatin1String(element)) return true;
    }
    return false;
}

// Returns the first element of the file that is not drawn, or an empty string.
QString firstUndrawnElement(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader reader(&file);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && !isDrawnElement(reader.name())) {
            return reader.name().toString();
        }
    }
    return {};
}

int parseSize(const char* text) {
    bool ok = false;
    const int value = QString::fromLocal8Bit(text).toInt(&ok);
    return ok && value > 0 && value <= 10000 ? value : 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(messageHandler);
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: svg2bmp <in.svg> <out.bmp> <width> <height>\n");
        return 2;
    }
    const int width = parseSize(argv[3]);
    const int height = parseSize(argv[4]);
    if (width == 0 || height == 0) {
        std::fprintf(stderr, "svg2bmp: width and height must be whole numbers from 1 to 10000\n");
        return 2;
    }

    QSvgRenderer renderer;
    if (!renderer.load(QString::fromLocal8Bit(argv[1])) || !renderer.isValid()) {
        std::fprintf(stderr, "svg2bmp: cannot read the drawing %s\n", argv[1]);
        return 1;
    }
    const QString undrawn = firstUndrawnElement(QString::fromLocal8Bit(argv[1]));
    if (!undrawn.isEmpty()) {
        std::fprintf(stderr, "svg2bmp: %s: the element <%s> would not be drawn\n", argv[1],
                     qPrintable(undrawn));
        return 1;
    }
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, width, height));
    }
    if (svgMessages > 0) {
        std::fprintf(stderr, "svg2bmp: %s uses what the SVG renderer does not draw\n", argv[1]);
        return 1;
    }

    // 24 bits per pixel: the BMP writer stores RGB images without alpha that way.
    const QImage output = image.convertToFormat(QImage::Format_RGB888);
    if (!output.save(QString::fromLocal8Bit(argv[2]), "BMP")) {
        std::fprintf(stderr, "svg2bmp: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
