// The shared moist-air laws: the calculator's own figures, and fog beyond
// the saturation curve.
#include <gtest/gtest.h>

#include <cmath>

#include "aircalc/AirCalculator.h"
#include "aircalc/MoistAir.h"
#include "core/Numbers.h"

namespace vimtal::aircalc {
namespace {

constexpr double kPb = 101300.0;

TEST(MoistAir, LawsGiveTheCalculatorsState) {
    SetDecimalSeparator(',');
    AirState state;
    ASSERT_TRUE(Calculate(state, {"", "", "20", "50", "101300"}).has_value());
    EXPECT_EQ(Enthalpy(state.t, state.x), state.i);
    EXPECT_EQ(Density(state.t, state.x, state.pb), state.rho);
    // Given t and phi, the calculator keeps phi as a fraction.
    EXPECT_NEAR(RelativeHumidity(state.x, AirCalcSaturationPressure(state.t), state.pb), state.phi, 1e-15);
    EXPECT_NEAR(VapourPressure(state.x, state.pb), state.pp, 1e-9);
    EXPECT_NEAR(TemperatureOf(state.i, state.x), state.t, 1e-12);
    // The dew point comes from its own logarithmic fit, 0.04 K off the
    // saturation law here.
    EXPECT_NEAR(SaturationHumidityRatio(state.tr, state.pb), state.x, 4e-5);
}

TEST(MoistAir, FogLiesBeyondSaturationOnItsIsotherm) {
    struct Case {
        double t, extraWater;  // a saturated state at t, with extra water [kg/kg]
    } cases[] = {{20, 0.002}, {5, 0.0005}, {0.5, 0.004}, {-5, 0.001}, {-15, 0.0002}, {40, 0.01}};
    for (const Case& c : cases) {
        const double xs = SaturationHumidityRatio(c.t, kPb);
        EXPECT_FALSE(IsFog(Enthalpy(c.t, xs * 0.99), xs * 0.99, kPb)) << c.t;
        const double x = xs + c.extraWater;
        const double i = FogEnthalpy(c.t, x, kPb);
        ASSERT_TRUE(IsFog(i, x, kPb)) << c.t;
        // Fog is colder than saturated air of the same water content, and
        // warmer than its unsaturated reading.
        const double t = FogTemperature(i, x, kPb);
        EXPECT_NEAR(t, c.t, 1e-8) << c.t;
        EXPECT_GT(t, TemperatureOf(i, x)) << c.t;
        // The surplus water's heat: liquid at or above 0 degC, ice below.
        const double water = c.t >= 0 ? 4.19 * c.t : -335.0 + 2.09 * c.t;
        EXPECT_NEAR(i, Enthalpy(c.t, xs) + c.extraWater * water, 1e-9) << c.t;
    }
}

TEST(MoistAir, FogBetweenIceAndWaterStaysAtZero) {
    // Fog at 0 degC holding its surplus half frozen: the enthalpy lies between
    // the ice and the water isotherms, and the temperature stays at 0.
    const double x = SaturationHumidityRatio(0.0, kPb) + 0.003;
    const double i = (FogEnthalpy(-1e-9, x, kPb) + FogEnthalpy(0.0, x, kPb)) / 2.0;
    EXPECT_NEAR(FogTemperature(i, x, kPb), 0.0, 1e-8);
}

}  // namespace
}  // namespace vimtal::aircalc
