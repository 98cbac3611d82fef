#include "charts/ChartFrame.h"
#include "charts/tests/ChartPixels.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "core/Errors.h"

#include <cmath>

namespace vimtal::charts {
namespace {

using namespace testing;

TEST(ChartFrame, AxesArrowsAndLegendAtTheirPixels) {
    for (const auto& [W, H] : {std::pair{500, 305}, {497, 305}, {1074, 655}}) {
        QImage image = Blank(W, H);
        {
            QPainter painter(&image);
            Canvas canvas(painter);
            DrawFrame(canvas, W, H, {"tw [C]", "t [min]", "tw=f(t)"});
        }
        struct Point {
            int x, y;
            QRgb colour;
        } points[] = {
            {20, H - 20, kRed},       {W / 2, H - 20, kRed},     {W - 21, H - 20, kRed},  // horizontal axis
            {20, H / 2, kRed},        {20, 21, kRed},                                     // vertical axis
            {W - 20, H - 20, kRed},   {W - 28, H - 24, kRed},    {W - 28, H - 16, kRed}, // arrow head →
            {20, 20, kRed},           {24, 28, kRed},            {16, 28, kRed},         // arrow head ↑
            // Lines leave out their end pixel, as the classic LineTo does.
            {25, 30, kWhite},         {15, 30, kWhite},         {W - 30, H - 25, kWhite},
            {W - 155, 5, kRed},       {W - 6, 34, kRed},         {W - 155, 34, kRed},    // legend border
            {W - 6, 5, kRed},
            {W - 130, 15, kRed},      {W - 150, 15, kRed},       {W - 111, 15, kRed},    // sample line
            {W - 110, 15, kWhite},
            {W - 140, 25, kWhite},    {W - 5, 20, kWhite},       {W - 155, 36, kWhite},   // inside / outside the box
            {21, H - 21, kWhite},     {19, H - 21, kWhite},      {20, 19, kWhite},       // beside the axes
            {W - 19, H - 20, kWhite},
        };
        for (const Point& p : points) {
            EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << W << "x" << H << " at " << p.x << "," << p.y;
        }
        // The titles and legend text put dark pixels near their corners.
        auto hasInk = [&](int x0, int y0, int w, int h) {
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x)
                    if (qGray(image.pixel(x, y)) < 100) return true;
            return false;
        };
        EXPECT_TRUE(hasInk(30, 20, 30, 14));
        EXPECT_TRUE(hasInk(W - 50, H - 40, 30, 14));
        EXPECT_TRUE(hasInk(W - 100, 10, 40, 14));
    }
}

TEST(ChartFrame, TicksAreRedAndGridLinesDashedGrey) {
    const int W = 500, H = 305;
    QImage image = Blank(W, H);
    {
        QPainter painter(&image);
        Canvas canvas(painter);
        DrawHorizontalTick(canvas, H, 164, 159, "1,5");
        DrawVerticalTick(canvas, W, 200, 194, "25");
    }
    // The grid line starts on the mark's first pixel and is drawn after it.
    EXPECT_EQ(image.pixel(164, H - 25), kGrey);
    EXPECT_EQ(image.pixel(164, H - 24), kRed);
    EXPECT_EQ(image.pixel(164, H - 16), kRed);
    EXPECT_EQ(image.pixel(164, H - 15), kWhite);
    // The label, drawn opaque after the mark, covers the mark's left end.
    EXPECT_EQ(image.pixel(24, 200), kRed);
    EXPECT_EQ(image.pixel(25, 200), kGrey);
    // Grid lines: grey dashes with gaps along the whole length.
    int grey = 0, white = 0;
    for (int y = 41; y <= H - 25; ++y) {
        const QRgb c = image.pixel(164, y);
        grey += c == kGrey;
        white += c == kWhite;
    }
    EXPECT_GT(grey, 150);
    EXPECT_GT(white, 30);
    EXPECT_EQ(grey + white, H - 25 - 40);
    grey = white = 0;
    EXPECT_EQ(image.pixel(164, 40), kWhite);  // the end pixel is left out
    for (int x = 26; x < W - 25; ++x) {
        const QRgb c = image.pixel(x, 200);
        grey += c == kGrey;
        white += c == kWhite;
    }
    EXPECT_GT(grey, 300);
    EXPECT_GT(white, 80);
}

TEST(ChartFrame, CurveDrawsOnlySegmentsThatReachANewPixelAndKeepsTheirPoints) {
    const int W = 500, H = 305;
    QImage image = Blank(W, H);
    const int steps = 1000000;
    auto value = [&](int i) {
        const double t = static_cast<double>(i) / steps;
        return PlotPoint{t, 1 - (1 - t) * (1 - t)};
    };
    auto point = [&](int i) {
        const PlotPoint v = value(i);
        return std::pair{Nearest(static_cast<long double>(v.x) * (W - 60)) + 20,
                         H - Nearest(static_cast<long double>(v.y) * (H - 60)) - 20};
    };
    std::vector<PlotPoint> points;
    QPainter painter(&image);
    Canvas canvas(painter);
    Curve curve(canvas, &points);
    auto [x0, y0] = point(0);
    curve.MoveTo(x0, y0, value(0));
    int asked = 0;
    for (int i = 1; i <= steps; ++i) {
        auto [x, y] = point(i);
        curve.LineTo(x, y, [&] {
            ++asked;
            return value(i);
        });
    }
    painter.end();
    // A million steps land on fewer than W + H distinct pixels.
    EXPECT_LT(curve.SegmentsDrawn(), W + H);
    EXPECT_GT(curve.SegmentsDrawn(), W - 60);
    auto [xm, ym] = point(steps / 2);
    EXPECT_EQ(image.pixel(xm, ym), kBlue);
    EXPECT_EQ(image.pixel(x0, y0), kBlue);
    // The start and each vertex drawn, asked for only when drawn, in order,
    // each at the pixel it was drawn to.
    ASSERT_EQ(points.size(), static_cast<std::size_t>(curve.SegmentsDrawn()) + 1);
    EXPECT_EQ(asked, curve.SegmentsDrawn());
    EXPECT_EQ(points.front().x, 0.0);
    for (std::size_t i = 1; i < points.size(); ++i) {
        ASSERT_GT(points[i].x, points[i - 1].x);
        ASSERT_GE(points[i].y, points[i - 1].y);
    }
    const PlotPoint& last = points.back();
    EXPECT_EQ(Nearest(static_cast<long double>(last.x) * (W - 60)) + 20, W - 40);

    // Without a list nothing is asked.
    QImage again = Blank(W, H);
    QPainter painter2(&again);
    Canvas canvas2(painter2);
    Curve plain(canvas2);
    plain.MoveTo(20, 20, {});
    bool askedWithoutList = false;
    plain.LineTo(60, 60, [&] {
        askedWithoutList = true;
        return PlotPoint{};
    });
    EXPECT_FALSE(askedWithoutList);
    EXPECT_EQ(plain.SegmentsDrawn(), 1);
}

TEST(ChartFrame, NearestRoundsHalvesToEvenAndHoldsFarPointsAMillionPixelsAway) {
    struct Case {
        long double value;
        int pixel;
    } cases[] = {{2.5L, 2},          {3.5L, 4},       {-2.5L, -2},       {-3.5L, -4},      {2.4999L, 2},
                 {0.5L, 0},          {-0.5L, 0},      {999999.5L, 1000000}, {1e300L, 1000000}, {-1e300L, -1000000},
                 {1e4000L, 1000000}, {0.49999999999999999L, 0}};
    for (const Case& c : cases) EXPECT_EQ(Nearest(c.value), c.pixel) << static_cast<double>(c.value);
    // The same as the library's rounding everywhere in between.
    for (long double v = -3000.0L; v < 3000.0L; v += 0.0625L) {
        ASSERT_EQ(Nearest(v), static_cast<int>(std::nearbyint(v))) << static_cast<double>(v);
    }
    EXPECT_THROW(Nearest(std::nanl("")), FloatingPointError);
}

}  // namespace
}  // namespace vimtal::charts
