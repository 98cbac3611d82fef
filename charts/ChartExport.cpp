#include "charts/ChartExport.h"

#include "core/Csv.h"
#include "core/Numbers.h"

#include <QColor>
#include <QImage>

#include <map>
#include <tuple>

namespace vimtal::charts {

namespace {

struct Block {
    int x, y, width, height;
};

}  // namespace

QByteArray PixelExactSvg(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int W = image.width(), H = image.height();
    const QRgb white = qRgb(255, 255, 255);

    // Runs of a row, keyed by (first column, past the last, colour); a run
    // that the row below repeats grows down instead of starting anew.
    using Run = std::tuple<int, int, QRgb>;
    std::map<QRgb, std::vector<Block>> blocks;  // by colour, in a fixed order
    std::map<Run, Block> open;
    for (int y = 0; y <= H; ++y) {
        std::map<Run, Block> next;
        if (y < H) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < W;) {
                const QRgb colour = row[x] | 0xff000000u;
                int end = x + 1;
                while (end < W && (row[end] | 0xff000000u) == colour) ++end;
                if (colour != white) {
                    const Run run{x, end, colour};
                    const auto above = open.find(run);
                    if (above != open.end()) {
                        Block grown = above->second;
                        ++grown.height;
                        next.emplace(run, grown);
                        open.erase(above);
                    } else {
                        next.emplace(run, Block{x, y, end - x, 1});
                    }
                }
                x = end;
            }
        }
        // What the row did not continue is finished.
        for (const auto& [run, block] : open) blocks[std::get<2>(run)].push_back(block);
        open = std::move(next);
    }

    QByteArray svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\" shape-rendering=\"crispEdges\">\n")
               .arg(W)
               .arg(H)
               .toUtf8();
    svg += QStringLiteral("<rect x=\"0\" y=\"0\" width=\"%1\" height=\"%2\" fill=\"#ffffff\"/>\n").arg(W).arg(H).toUtf8();
    for (const auto& [colour, list] : blocks) {
        QByteArray path;
        for (const Block& b : list) {
            path += QStringLiteral("M%1 %2h%3v%4h-%3z").arg(b.x).arg(b.y).arg(b.width).arg(b.height).toLatin1();
        }
        svg += "<path fill=\"" + QColor(colour).name().toLatin1() + "\" d=\"" + path + "\"/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

Bytes PointsCsv(const std::string& xTitle, const std::string& yTitle, const std::vector<PlotPoint>& points) {
    CsvWriter csv;
    csv.Row({xTitle, yTitle});
    for (const PlotPoint& p : points) csv.Row({FloatToStr(p.x), FloatToStr(p.y)});
    return csv.ToBytes();
}

}  // namespace vimtal::charts
