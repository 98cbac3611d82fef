#include "dhwsim/ChargingChartScale.h"

#include "charts/tests/TickTexts.h"
#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vimtal::dhwsim {
namespace {

constexpr int W = 500, H = 305;  // the chart window's first size

using charts::testing::Labels;
using charts::testing::Positions;

class ChargingChartScaleTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
};

// Each kind and criterion: the axes end 40 pixels before the edges, the
// labels count minutes or degrees, the vertical ticks follow the criterion.
TEST_F(ChargingChartScaleTest, TicksAndLabelsOfEachKind) {
    struct Case {
        const char* what;
        int kind;
        bool towardsTemperature;
        ChargingChartEnds ends;
        std::vector<std::string> horizontal;
        std::vector<std::string> vertical;
        int topTick;  // y of the last vertical tick
    } cases[] = {
        {"temperature over time, towards 55 degC", 1, true, {8880, 55, 10, 55},
         {"14,8", "29,6", "44,4", "59,2", "74", "88,8", "103,6", "118,4", "133,2", "148"},
         {"5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55"}, 40},
        {"temperature over time, for 15 minutes", 1, false, {900, 40, 10, 0},
         {"1,5", "3", "4,5", "6", "7,5", "9", "10,5", "12", "13,5", "15"},
         {"4", "8", "12", "16", "20", "24", "28", "32", "36", "40"}, 40},
        {"power over time", 2, true, {8880, 55, 12, 55},
         {"14,8", "29,6", "44,4", "59,2", "74", "88,8", "103,6", "118,4", "133,2", "148"},
         {"1,2", "2,4", "3,6", "4,8", "6", "7,2", "8,4", "9,6", "10,8", "12"}, 40},
        {"power over the water temperature", 3, false, {600, 55, 12, 0},
         {"5,5", "11", "16,5", "22", "27,5", "33", "38,5", "44", "49,5", "55"},
         {"1,2", "2,4", "3,6", "4,8", "6", "7,2", "8,4", "9,6", "10,8", "12"}, 40},
        // A tank that ends below 0 degC: the scale and its step turn over
        // together, and the labels run negative up the axis.
        {"temperature falling below zero", 1, false, {900, -10, 10, 0},
         {"1,5", "3", "4,5", "6", "7,5", "9", "10,5", "12", "13,5", "15"},
         {"-1", "-2", "-3", "-4", "-5", "-6", "-7", "-8", "-9", "-10"}, 40},
    };
    for (const Case& c : cases) {
        const ChargingChartScale scale(W, H, c.kind, c.towardsTemperature, c.ends);
        ASSERT_TRUE(scale.Scaled()) << c.what;
        const auto horizontal = scale.HorizontalTicks();
        const auto vertical = scale.VerticalTicks();
        EXPECT_EQ(Labels(horizontal), c.horizontal) << c.what;
        EXPECT_EQ(Labels(vertical), c.vertical) << c.what;
        ASSERT_EQ(horizontal.size(), 10u);
        EXPECT_EQ(horizontal.back().position, W - 40) << c.what;
        EXPECT_EQ(horizontal.front().labelPosition, horizontal.front().position - 5) << c.what;
        ASSERT_FALSE(vertical.empty()) << c.what;
        EXPECT_EQ(vertical.back().position, c.topTick) << c.what;
        for (const charts::ChartTick& t : vertical) EXPECT_EQ(t.labelPosition, t.position - 6) << c.what;
    }
}

TEST_F(ChargingChartScaleTest, PixelsOfTheTicks) {
    // 440 pixels over 8880 s and 245 pixels over 49 degC: 5 pixels a degree.
    const ChargingChartScale scale(W, H, 1, true, {8880, 49, 10, 25});
    EXPECT_EQ(Positions(scale.HorizontalTicks()),
              (std::vector<int>{64, 108, 152, 196, 240, 284, 328, 372, 416, 460}));
    EXPECT_EQ(Positions(scale.VerticalTicks()), (std::vector<int>{260, 235, 210, 185, 160}));
    // 125 pixels over 100 s: 12.5 pixels a tick, halves to even.
    const ChargingChartScale halves(185, H, 2, true, {100, 20, 10, 0});
    EXPECT_EQ(Positions(halves.HorizontalTicks()), (std::vector<int>{32, 45, 58, 70, 82, 95, 108, 120, 132, 145}));
}

// Towards a target temperature the vertical ticks come every 5 degrees up to
// the nearest multiple of 5 of tk (halves to even); the ones above the top
// edge are left out.
TEST_F(ChargingChartScaleTest, TemperatureTicksTowardsTheTarget) {
    struct Case {
        double tk;
        double twend;
        std::size_t ticks;
    } cases[] = {
        {55, 55, 11}, {42, 42, 8},  {2, 2, 0},   {12.5, 12.5, 2}, {17.5, 17.5, 4},
        {-5, 10, 0},  {0, 10, 0},   {200, 20, 4},  // 61.25 pixels a tick: the fifth is above the top
    };
    for (const Case& c : cases) {
        const ChargingChartScale scale(W, H, 1, true, {1000, c.twend, 10, c.tk});
        const auto ticks = scale.VerticalTicks();
        EXPECT_EQ(ticks.size(), c.ticks) << c.tk;
        for (std::size_t k = 0; k < ticks.size(); ++k) {
            EXPECT_EQ(ticks[k].label, FloatToStr(5.0 * (k + 1))) << c.tk;
            EXPECT_GE(ticks[k].position, -20) << c.tk;
        }
    }
}

// An axis that would end at 0 has no scale: no ticks, the frame only.
TEST_F(ChargingChartScaleTest, ZeroEndsLeaveNoScale) {
    struct Case {
        int kind;
        ChargingChartEnds ends;
        bool scaled;
    } cases[] = {
        {1, {0, 55, 10, 55}, false}, {1, {600, 0, 10, 55}, false}, {1, {600, 55, 0, 55}, true},
        {2, {0, 55, 10, 55}, false}, {2, {600, 55, 0, 55}, false}, {2, {600, 0, 10, 55}, true},
        {3, {600, 0, 10, 55}, false}, {3, {600, 55, 0, 55}, false}, {3, {0, 55, 10, 55}, true},
    };
    for (const Case& c : cases) {
        for (const bool towardsTemperature : {true, false}) {
            const ChargingChartScale scale(W, H, c.kind, towardsTemperature, c.ends);
            EXPECT_EQ(scale.Scaled(), c.scaled) << c.kind;
            EXPECT_EQ(scale.HorizontalTicks().empty(), !c.scaled) << c.kind;
            if (!c.scaled) {
                EXPECT_TRUE(scale.VerticalTicks().empty()) << c.kind;
            }
        }
    }
}

}  // namespace
}  // namespace vimtal::dhwsim
