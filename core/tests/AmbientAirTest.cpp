#include "core/AmbientAir.h"
#include "core/Errors.h"
#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vimtal {
namespace {

class AmbientAirTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(','); }
    AmbientAir air;
};

TEST_F(AmbientAirTest, DefaultsOfTheSettingsWindow) {
    const auto displays = air.Recompute("20", "50", "101300");
    ASSERT_TRUE(displays);
    EXPECT_EQ(displays->density, "1,2");
    EXPECT_EQ(displays->viscosity, "0,000015");
    EXPECT_EQ(air.Temperature(), 20.0);
    EXPECT_EQ(air.Humidity(), 0.5);
    EXPECT_EQ(air.Pressure(), 101300.0);
    EXPECT_NEAR(air.SaturationPressure(), 2334.0076, 0.001);
    EXPECT_NEAR(air.HumidityRatio(), 0.0072490, 2e-7);
    EXPECT_NEAR(air.Density(), 1.19727, 1e-5);
    EXPECT_NEAR(air.Viscosity(), 1.5308e-5, 1e-9);
    EXPECT_EQ(AirDensity(20, 50, 101300), air.Density());
}

TEST_F(AmbientAirTest, SaturationPressureLaw) {
    struct Case {
        double t;
        double ps;
        double tolerance;
    } cases[] = {
        {0.0, 612.858088403926, 0.0},
        {20.0, 2334.0076, 0.001},
        // Below zero the odd powers keep their sign: t = -10 gives
        // 4.2531839 - 26.198398307 + 137.9245931636 - 445.90652450291 + 612.858088403926.
        {-10.0, 282.930942657616, 1e-9},
        {100.0, 42531.839 + 26198.398307 + 13792.45931636 + 4459.0652450291 + 612.858088403926, 1e-6},
    };
    for (const Case& c : cases) {
        if (c.tolerance == 0.0) {
            EXPECT_EQ(SaturationPressure(c.t), c.ps) << c.t;
        } else {
            EXPECT_NEAR(SaturationPressure(c.t), c.ps, c.tolerance) << c.t;
        }
    }
}

TEST_F(AmbientAirTest, EmptyTextChangesNothing) {
    ASSERT_TRUE(air.Recompute("20", "50", "101300"));
    const double density = air.Density();
    for (const auto& [t, rh, p] : {std::tuple{"", "50", "101300"}, {"20", "", "101300"}, {"20", "50", ""}}) {
        EXPECT_FALSE(air.Recompute(t, rh, p));
        EXPECT_EQ(air.Density(), density);
        EXPECT_EQ(air.Temperature(), 20.0);
    }
}

TEST_F(AmbientAirTest, ConversionErrorKeepsWhatWasStoredBefore) {
    ASSERT_TRUE(air.Recompute("20", "50", "101300"));
    const double density = air.Density();
    // The humidity fails: the temperature was stored, nothing after it.
    EXPECT_THROW(air.Recompute("25", "-", "90000"), ConversionError);
    EXPECT_EQ(air.Temperature(), 25.0);
    EXPECT_EQ(air.Humidity(), 0.5);
    EXPECT_EQ(air.Pressure(), 101300.0);
    EXPECT_EQ(air.Density(), density);
    // A dot typed in a comma locale.
    EXPECT_THROW(air.Recompute("20.5", "50", "101300"), ConversionError);
}

TEST_F(AmbientAirTest, FaultsStopAtTheirStep) {
    // p equal to phi * ps: the humidity ratio divides by zero; ps was stored.
    // At 0 degC ps is the constant term, so the pressure can be typed exactly.
    const double ps = SaturationPressure(0.0);
    ASSERT_TRUE(air.Recompute("20", "50", "101300"));
    const double density = air.Density();
    try {
        air.Recompute("0", "100", "612,858088403926");
        FAIL() << "no fault";
    } catch (const FloatingPointError& e) {
        EXPECT_EQ(e.Fault(), FloatFault::DivisionByZero);
    }
    EXPECT_EQ(air.SaturationPressure(), ps);
    EXPECT_EQ(air.Humidity(), 1.0);
    EXPECT_EQ(air.Density(), density);

    // Below -273 degC the viscosity law takes the logarithm of a negative
    // number; the density (which uses 273.15) is stored before that.
    try {
        air.Recompute("-274", "0", "101300");
        FAIL() << "no fault";
    } catch (const FloatingPointError& e) {
        EXPECT_EQ(e.Fault(), FloatFault::InvalidOperation);
    }
    EXPECT_NEAR(air.Density(), 101300.0 / (0.622 * 462 * (-274 + 273.15)) * 1.0, 1e-6);
    // At -273.15 the density divides by zero.
    EXPECT_THROW(air.Recompute("-273,15", "0", "101300"), FloatingPointError);
}

TEST_F(AmbientAirTest, NoLimitsOtherwise) {
    // A humidity above 100 % and a negative pressure are computed as typed.
    EXPECT_TRUE(air.Recompute("20", "150", "101300"));
    EXPECT_TRUE(air.Recompute("20", "50", "-1000"));
    EXPECT_LT(air.Density(), 0.0);
}

TEST_F(AmbientAirTest, AirDensityMatchesTheSettingsComputation) {
    for (const auto& [t, rh, p] : {std::tuple{-20.0, 80.0, 98000.0}, {35.0, 30.0, 101325.0}, {60.0, 95.0, 100000.0}}) {
        ASSERT_TRUE(air.Recompute(FloatToStr(t), FloatToStr(rh), FloatToStr(p)));
        EXPECT_EQ(AirDensity(t, rh, p), air.Density());
        // Independent check with the ideal-gas mixture: rho = p_a/(R_a T) + p_v/(R_v T).
        const double pv = rh / 100 * SaturationPressure(t);
        const double T = t + 273.15;
        const double rho = (p - pv) / (287.1 * T) + pv / (462.0 * T);
        EXPECT_NEAR(AirDensity(t, rh, p), rho, rho * 2e-3);
    }
}

TEST_F(AmbientAirTest, ThePressureLossWindowsUseTheFiguresAsDisplayed) {
    // Before any computation there is nothing to convert.
    EXPECT_THROW(air.UseDisplayedFigures(), ConversionError);
    ASSERT_TRUE(air.Recompute("20", "50", "101300"));
    EXPECT_EQ(air.Displays().density, "1,2");
    air.UseDisplayedFigures();
    EXPECT_EQ(air.Density(), 1.2);
    EXPECT_EQ(air.Viscosity(), 0.000015);
    EXPECT_EQ(air.Temperature(), 20.0);  // the inputs stay
    // The next recomputation brings the unrounded figures back.
    ASSERT_TRUE(air.Recompute("20", "50", "101300"));
    EXPECT_NEAR(air.Density(), 1.19727, 1e-5);
    EXPECT_NE(air.Density(), 1.2);
}

TEST_F(AmbientAirTest, SutherlandViscosityAtItsReferenceTemperatures) {
    // At t = 0 and T0 = 273 the base is 1: nu = 0.006676 / (385 rho).
    EXPECT_DOUBLE_EQ(KinematicViscosity(0, 1.25, 273.0), 0.006676 / (385 * 1.25));
    // A reference of 273.15 K gives a slightly larger base at t = 20.
    EXPECT_GT(KinematicViscosity(20, 1.2, 273.0), KinematicViscosity(20, 1.2, 273.15));
}

}  // namespace
}  // namespace vimtal
