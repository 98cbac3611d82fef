#include "ductsim/CoolingChart.h"

#include "charts/tests/TickTexts.h"
#include "core/FloatingPoint.h"
#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vimtal::ductsim {
namespace {

constexpr int W = 497, H = 305;  // the chart window's paint area

RunResult EndOfRun(double totalTime, double finalTemperature) {
    RunResult r;
    r.totalTime = totalTime;
    r.finalTemperature = finalTemperature;
    return r;
}

using charts::testing::Labels;

class CoolingChartTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
};

TEST_F(CoolingChartTest, CoolingPutsTiFortyPixelsBelowTheTop) {
    const CoolingChartScale scale(W, H, 20, -20, EndOfRun(2.8801, 18.65));
    EXPECT_EQ(scale.X(0), 20);
    EXPECT_EQ(scale.X(2.8801), W - 40);  // the end of the run
    EXPECT_EQ(scale.Y(-20), H - 20);     // the time axis is te
    EXPECT_EQ(scale.Y(20), 40);
    const auto time = scale.TimeTicks();
    const auto temperature = scale.TemperatureTicks();
    ASSERT_EQ(time.size(), 10u);
    ASSERT_EQ(temperature.size(), 10u);
    EXPECT_EQ(time.back().position, W - 40);
    EXPECT_EQ(time.back().labelPosition, W - 45);
    EXPECT_EQ(time.front().position, 20 + 44);  // 437 / 10 = 43.7
    EXPECT_EQ(temperature.back().position, 40);
    EXPECT_EQ(temperature.back().labelPosition, 34);
    EXPECT_EQ(temperature.front().position, H - 20 - 25);  // 285 - 24.5 = 260.5, ties to even
    EXPECT_EQ(Labels(time), (std::vector<std::string>{"0,288", "0,576", "0,864", "1,152", "1,44", "1,728", "2,016",
                                                      "2,304", "2,592", "2,88"}));
    EXPECT_EQ(Labels(temperature),
              (std::vector<std::string>{"-16", "-12", "-8", "-4", "0", "4", "8", "12", "16", "20"}));
}

TEST_F(CoolingChartTest, WarmingScalesFromTheFinalTemperature) {
    // ti = -5, te = 30: tk - te = -23 is negative, its ten-degree rounding -20
    // gives a step of -2, so the labels run from te downwards and the ticks
    // lie above the axis, as the formulas have it.
    const CoolingChartScale scale(W, H, -5, 30, EndOfRun(2.88, 7.0));
    EXPECT_LT(scale.sy(), 0);
    EXPECT_EQ(scale.temperatureStep(), -2.0);
    EXPECT_EQ(scale.Y(7.0), 40);  // tk at the top
    const auto ticks = scale.TemperatureTicks();
    ASSERT_EQ(ticks.size(), 10u);
    EXPECT_EQ(Labels(ticks).front(), "28");
    EXPECT_EQ(Labels(ticks).back(), "10");
    EXPECT_LT(ticks.back().position, ticks.front().position);
    EXPECT_GT(ticks.back().position, 40);  // 20 of the 23 degrees
}

TEST_F(CoolingChartTest, NoTemperatureDifferenceHasNoTemperatureScale) {
    const CoolingChartScale scale(W, H, 20, 20, EndOfRun(2.88, 20));
    EXPECT_TRUE(scale.TemperatureTicks().empty());
    EXPECT_EQ(scale.Y(20), H - 20);
    EXPECT_EQ(scale.TimeTicks().size(), 10u);
}

TEST_F(CoolingChartTest, PixelsRoundHalvesToEven) {
    // W - 60 = 10 pixels over 4 s: 2.5 pixels per second.
    const CoolingChartScale scale(70, H, 20, -20, EndOfRun(4, 10));
    const struct {
        double tau;
        int x;
    } cases[] = {{1, 22}, {3, 28}, {5, 32}, {7, 38}, {4, 30}, {0.5, 21}};
    for (const auto& c : cases) EXPECT_EQ(scale.X(c.tau), c.x) << c.tau;
}

// The chart's fast rounding against the checked one, over every kind of
// fraction: halves (to even), just below and above them, negatives.
TEST_F(CoolingChartTest, FastPixelRoundingIsTheCheckedRounding) {
    const CoolingChartScale scale(W, H, 20, -20, EndOfRun(2.88, 18.65));
    int compared = 0;
    for (int i = -40000; i <= 40000; ++i) {
        const double tau0 = i / 64.0 / scale.sx(), t0 = -20 + i / 32.0 / scale.sy();
        for (const int side : {0, 1, -1}) {
            const double tau = side == 0 ? tau0 : std::nextafter(tau0, side * 1e9);
            const double t = side == 0 ? t0 : std::nextafter(t0, side * 1e9);
            ASSERT_EQ(scale.X(tau), fp::Round(static_cast<long double>(tau) * scale.sx()) + 20) << tau;
            ASSERT_EQ(scale.Y(t), (H - 20) - fp::Round((static_cast<long double>(t) + 20) * scale.sy())) << t;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 3 * 80001);
}

TEST_F(CoolingChartTest, FarPointsStayDrawable) {
    // A run whose time step is far too long for the duct oscillates with a
    // growing amplitude; its points must still map to pixels.
    const CoolingChartScale scale(W, H, 20, -20, EndOfRun(2.88, 18));
    EXPECT_EQ(scale.Y(1e300), H - 20 - 1000000);
    EXPECT_EQ(scale.Y(-1e300), H - 20 + 1000000);
}

}  // namespace
}  // namespace vimtal::ductsim
