// The charts on paper: the same drawing code as the chart windows, drawn as
// vectors through the pixel centres; and as an SVG file of the window's own
// pixels.
#include "charts/ChartExport.h"
#include "charts/ChartFrame.h"
#include "charts/tests/ChartPixels.h"
#include "core/Numbers.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/testing/PdfTools.h"
#include "core/ui/testing/SampleReports.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRect>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace vimtal::charts {
namespace {

using Drawing = std::function<void(Canvas&, int W, int H)>;

QImage Draw(int W, int H, Canvas::Output output, const Drawing& draw) {
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (output == Canvas::Output::Pixels) {
        Canvas canvas(painter);
        draw(canvas, W, H);
    } else {
        DrawChartOnPage(painter, QRect(0, 0, W, H), W, H, draw);
    }
    return image;
}

bool Bluish(QRgb c) { return qBlue(c) > 160 && qRed(c) < 200 && qGreen(c) < 200 && qBlue(c) - qRed(c) > 60; }

// A sine over the width, fed one point a step as a simulation feeds its
// curve; the number of segments drawn goes to `segments`.
void Sine(Canvas& canvas, int W, int H, long long steps, long long* segments) {
    Curve curve(canvas);
    const double sx = (W - 60.0) / static_cast<double>(steps);
    const double amplitude = (H - 60) / 2.0;
    curve.MoveTo(20, H - 20 - static_cast<int>(amplitude));
    for (long long s = 1; s <= steps; ++s) {
        const double t = static_cast<double>(s);
        curve.LineTo(20 + Nearest(t * sx),
                     H - 20 - Nearest(amplitude * (1 + std::sin(t * 6.283185307179586 / static_cast<double>(steps)))));
    }
    if (segments) *segments = curve.SegmentsDrawn();
}

void FrameWithTicks(Canvas& canvas, int W, int H) {
    DrawFrame(canvas, W, H, {QStringLiteral("tw [C]"), QStringLiteral("t [min]"), QStringLiteral("tw=f(t)")});
    for (int i = 1; i <= 10; ++i) {
        const int x = 20 + (W - 60) * i / 10;
        DrawHorizontalTick(canvas, H, x, x - 5, QString::number(i * 6));
        const int y = H - 20 - (H - 60) * i / 10;
        DrawVerticalTick(canvas, W, y, y - 6, QString::number(i * 8));
    }
}

TEST(PageChart, StraightLinesAndRectanglesCoverTheWindowsPixels) {
    // Drawn four times larger, every chart pixel is a 4 x 4 block, and the
    // block is the colour of the window's pixel: lines leave out their end
    // pixel, dashes are 18 on and 6 off, a rectangle covers its left and top
    // edges only, a run of the curve turns its corners whole.
    auto lines = [](Canvas& canvas, int W, int H) {
        canvas.SetPen(kAxisColour);
        canvas.MoveTo(20, H - 20);
        canvas.LineTo(W - 20, H - 20);
        canvas.MoveTo(20, H - 20);
        canvas.LineTo(20, 20);
        for (int i = 1; i <= 10; ++i) {
            const int x = 20 + (W - 60) * i / 10;
            canvas.SetPen(kAxisColour);
            canvas.MoveTo(x, H - 25);
            canvas.LineTo(x, H - 15);
            canvas.SetPen(kGridColour, Canvas::Style::Dash);
            canvas.MoveTo(x, H - 25);
            canvas.LineTo(x, 40);
            canvas.MoveTo(25, H - 20 - 23 * i);
            canvas.LineTo(W - 25 - i, H - 20 - 23 * i);
        }
        canvas.SetPen(kAxisColour);
        canvas.Rectangle(W - 155, 5, W - 5, 35);
        canvas.Rectangle(60, 60, 61, 75);  // one pixel wide
        Curve curve(canvas);
        curve.MoveTo(20, H - 20);
        for (int x = 20, y = H - 20; x < W - 40; x += 7) {
            curve.LineTo(x + 7, y);
            y -= 3;
            curve.LineTo(x + 7, y);
        }
    };
    for (const auto& [W, H] : {std::pair{500, 305}, {643, 392}}) {
        const QImage pixels = Draw(W, H, Canvas::Output::Pixels, lines);
        QImage large(4 * W, 4 * H, QImage::Format_RGB32);
        large.fill(Qt::white);
        {
            QPainter painter(&large);
            DrawChartOnPage(painter, large.rect(), W, H, lines);
        }
        int differ = 0;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                int r = 0, g = 0, b = 0;
                for (int dy = 0; dy < 4; ++dy) {
                    for (int dx = 0; dx < 4; ++dx) {
                        const QRgb c = large.pixel(4 * x + dx, 4 * y + dy);
                        r += qRed(c), g += qGreen(c), b += qBlue(c);
                    }
                }
                const QRgb want = pixels.pixel(x, y);
                if (std::abs(r / 16 - qRed(want)) > 2 || std::abs(g / 16 - qGreen(want)) > 2 || std::abs(b / 16 - qBlue(want)) > 2) {
                    if (++differ <= 5) {
                        ADD_FAILURE() << W << "x" << H << " differs at " << x << "," << y << ": " << std::hex << want << " "
                                      << qRgb(r / 16, g / 16, b / 16) << std::dec;
                    }
                }
            }
        }
        EXPECT_EQ(differ, 0) << W << "x" << H;
    }
}

TEST(PageChart, TextsStandWhereTheWindowPutsThem) {
    // Opaque over the lines below them, as the window draws them.
    auto texts = [](Canvas& canvas, int W, int H) {
        DrawFrame(canvas, W, H, {QStringLiteral("tw [C]"), QStringLiteral("t [min]"), QStringLiteral("tw=f(t)")});
        for (int i = 1; i <= 10; ++i) {
            const int y = H - 20 - (H - 60) * i / 10;
            canvas.SetPen(kAxisColour);
            canvas.MoveTo(15, y);
            canvas.LineTo(25, y);
            canvas.TextOut(4, y - 6, QString::number(i * 8));
        }
    };
    const int W = 500, H = 305;
    const QImage pixels = Draw(W, H, Canvas::Output::Pixels, texts);
    const QImage vectors = Draw(W, H, Canvas::Output::Vectors, texts);
    // Everything but the slanted strokes of the arrow heads.
    const QRect arrowRight(W - 31, H - 26, 13, 13), arrowUp(14, 19, 13, 13);
    int differ = 0, ink = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (arrowRight.contains(x, y) || arrowUp.contains(x, y)) continue;
            if (qGray(pixels.pixel(x, y)) < 100) ++ink;
            if (pixels.pixel(x, y) != vectors.pixel(x, y) && ++differ <= 5) {
                ADD_FAILURE() << "differs at " << x << "," << y << ": " << std::hex << pixels.pixel(x, y) << " "
                              << vectors.pixel(x, y) << std::dec;
            }
        }
    }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(ink, 100);  // the texts were drawn at all
}

TEST(PageChart, ASlantedCurveStaysWithinAPixelOfTheWindows) {
    const int W = 500, H = 305;
    auto sine = [](Canvas& canvas, int W, int H) { Sine(canvas, W, H, 100'000, nullptr); };
    const QImage pixels = Draw(W, H, Canvas::Output::Pixels, sine);
    const QImage vectors = Draw(W, H, Canvas::Output::Vectors, sine);
    auto near = [](const QImage& image, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.valid(x + dx, y + dy) && Bluish(image.pixel(x + dx, y + dy))) return true;
        return false;
    };
    int blue = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (pixels.pixel(x, y) == qRgb(0, 0, 255)) {
                ++blue;
                EXPECT_TRUE(near(vectors, x, y)) << "window's curve pixel " << x << "," << y << " missing on paper";
            }
            if (Bluish(vectors.pixel(x, y))) {
                EXPECT_TRUE(near(pixels, x, y)) << "paper's curve at " << x << "," << y << " off the window's";
            }
        }
    }
    EXPECT_GT(blue, 700);
}

TEST(PageChart, APolylineJoinsTheCurveAndBreaksWhereThePenJumpsOrChanges) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    struct Case {
        std::function<void(Canvas&)> draw;
        long long strokes;
    } cases[] = {
        {[](Canvas& c) { c.MoveTo(0, 0); c.LineTo(5, 5); c.LineTo(9, 5); c.LineTo(9, 9); }, 1},
        {[](Canvas& c) { c.MoveTo(0, 0); c.LineTo(5, 5); c.MoveTo(9, 9); c.LineTo(20, 9); }, 2},
        {[](Canvas& c) { c.MoveTo(0, 0); c.LineTo(5, 5); c.SetPen(kAxisColour); c.LineTo(9, 9); }, 2},
        {[](Canvas& c) { c.MoveTo(3, 3); c.LineTo(3, 3); }, 0},                      // nowhere to go
        {[](Canvas& c) { c.SetPen(kGridColour, Canvas::Style::Dash); c.MoveTo(0, 1); c.LineTo(50, 1); }, 3},  // 18 + 18 + 14
        {[](Canvas& c) { c.MoveTo(0, 0); c.LineTo(5, 5); c.TextOut(1, 1, "x"); c.LineTo(9, 9); }, 2},
        {[](Canvas& c) { c.Rectangle(1, 1, 20, 20); c.Rectangle(5, 5, 5, 9); }, 1},  // an empty one draws nothing
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Canvas canvas(painter, Canvas::Output::Vectors);
        cases[i].draw(canvas);
        canvas.Flush();
        EXPECT_EQ(canvas.StrokesDrawn(), cases[i].strokes) << "case " << i;
    }
}

TEST(PageChart, TenMillionStepsInAReportStayVectorAndSmall) {
    Report report{ReportDocument("Symulacja czasu ładowania zbiornika C.W.U"), {}};
    report.document.AddChart("tw", "Temperatura wody w zasobniku tw=f(t)", 500, 305);
    long long segments = 0;
    QSize grid;
    report.charts["tw"] = [&](QPainter& painter, const QRect& target) {
        grid = PageChartSize(target, painter.device()->logicalDpiX());
        DrawChartOnPage(painter, target, grid.width(), grid.height(), [&](Canvas& canvas, int W, int H) {
            FrameWithTicks(canvas, W, H);
            Sine(canvas, W, H, 10'000'000, &segments);
        });
    };
    const QByteArray pdf = ReportPdf(report, vimtal::testing::StoppedClock());

    // The chart fills the text width (170 mm, 642.5 pixels of 1/96 inch)
    // in the proportion of the window's chart.
    EXPECT_NEAR(grid.width(), 642.5, 2);
    EXPECT_NEAR(grid.height(), grid.width() * 305.0 / 500.0, 1);
    // Only moves to another pixel are drawn: a few per column the sine
    // crosses, not ten million.
    EXPECT_GT(segments, 600);
    EXPECT_LT(segments, 3000);
    EXPECT_LT(pdf.size(), 120'000) << "the curve was not joined into vector strokes";
    const QString text = vimtal::testing::PdfPageTexts(pdf).join(QLatin1Char('\n'));
    EXPECT_TRUE(text.contains(QStringLiteral("Temperatura wody w zasobniku tw=f(t)")));
    EXPECT_TRUE(text.contains(QStringLiteral("t [min]")));  // the chart's own texts are text, not pictures

    // On the page the blue curve lies in the chart, between the margins.
    const QImage page = vimtal::testing::PdfPageImage(pdf, 1, 100);
    ASSERT_FALSE(page.isNull());
    int blue = 0, outside = 0;
    const double margin = 20 / 25.4 * 100;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (!Bluish(page.pixel(x, y))) continue;
            ++blue;
            if (x < margin - 1 || x > page.width() - margin + 1) ++outside;
        }
    }
    EXPECT_GT(blue, 700);
    EXPECT_EQ(outside, 0);
}

// A chart window's picture as SVG: its pixels again at its size, sharp
// blocks of two by two at twice the size (no half-covered line edges, no
// texts set anew); the lines of the grid are whole rectangles.
TEST(PageChart, SvgOfTheWindowsPixelsRendersBackPixelForPixel) {
    const QSize sizes[] = {{500, 305}, {1074, 655}, {73, 51}};
    for (const QSize& size : sizes) {
        const QImage chart = Draw(size.width(), size.height(), Canvas::Output::Pixels, [](Canvas& canvas, int W, int H) {
            FrameWithTicks(canvas, W, H);
            Sine(canvas, W, H, 100'000, nullptr);
        });
        const QByteArray svg = PixelExactSvg(chart);
        EXPECT_TRUE(svg.contains("shape-rendering=\"crispEdges\""));
        EXPECT_EQ(testing::RenderedSvg(svg, size), chart) << size.width();
        EXPECT_EQ(testing::RenderedSvg(svg, size * 2), chart.scaled(size * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation))
            << size.width();
    }
    // The vertical axis below its arrow head, and the legend box's sides:
    // one rectangle each.
    const QImage chart = Draw(500, 305, Canvas::Output::Pixels, [](Canvas& canvas, int W, int H) {
        DrawFrame(canvas, W, H, {QStringLiteral("tw [C]"), QStringLiteral("t [min]"), QStringLiteral("tw=f(t)")});
    });
    const QByteArray svg = PixelExactSvg(chart);
    for (const char* block : {"M20 23h1v262h-1z", "M345 6h1v28h-1z", "M494 6h1v28h-1z", "M20 285h461v1h-461z"}) {
        EXPECT_TRUE(svg.contains(block)) << block;
    }
}

TEST(PageChart, PointsOfACurveForASpreadsheet) {
    SetDecimalSeparator(',');
    const std::vector<PlotPoint> points = {{0, 10}, {0.5, 12.25}, {1.0 / 60, -3}, {123456.75, 1e-7}};
    const std::string expected =
        "\xEF\xBB\xBF"
        "t [min];tw [°C]\r\n"
        "0;10\r\n"
        "0,5;12,25\r\n"
        "0,0166666666666667;-3\r\n"
        "123456,75;1E-7\r\n";
    EXPECT_EQ(PointsCsv("t [min]", "tw [°C]", points), Bytes(expected.begin(), expected.end()));
    const std::string empty = "\xEF\xBB\xBF" "t [s];ti [°C]\r\n";
    EXPECT_EQ(PointsCsv("t [s]", "ti [°C]", {}), Bytes(empty.begin(), empty.end()));
}

}  // namespace
}  // namespace vimtal::charts
