#include "core/AmbientAir.h"
#include "core/Errors.h"
#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vimtal {
namespace {

class AmbientAirTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDecimalSeparator(',');
        ResetAmbientAir();
    }
};

TEST_F(AmbientAirTest, DefaultsOfTheSettingsWindow) {
    const auto displays = ComputeAmbientAir("20", "50", "101300");
    ASSERT_TRUE(displays);
    EXPECT_EQ(displays->density, "1,2");
    EXPECT_EQ(displays->viscosity, "0,000015");
    EXPECT_EQ(AmbientTemperature, 20.0);
    EXPECT_EQ(AmbientHumidity, 0.5);
    EXPECT_EQ(AmbientPressure, 101300.0);
    EXPECT_NEAR(AmbientSaturationPressure, 2334.0076, 0.001);
    EXPECT_NEAR(AmbientHumidityRatio, 0.0072490, 2e-7);
    EXPECT_NEAR(AmbientDensity, 1.19727, 1e-5);
    EXPECT_NEAR(AmbientViscosity, 1.5308e-5, 1e-9);
    EXPECT_EQ(AirDensity(20, 50, 101300), AmbientDensity);
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
    ASSERT_TRUE(ComputeAmbientAir("20", "50", "101300"));
    const double density = AmbientDensity;
    for (const auto& [t, rh, p] : {std::tuple{"", "50", "101300"}, {"20", "", "101300"}, {"20", "50", ""}}) {
        EXPECT_FALSE(ComputeAmbientAir(t, rh, p));
        EXPECT_EQ(AmbientDensity, density);
        EXPECT_EQ(AmbientTemperature, 20.0);
    }
}

TEST_F(AmbientAirTest, ConversionErrorKeepsWhatWasStoredBefore) {
    ASSERT_TRUE(ComputeAmbientAir("20", "50", "101300"));
    const double density = AmbientDensity;
    // The humidity fails: the temperature was stored, nothing after it.
    EXPECT_THROW(ComputeAmbientAir("25", "-", "90000"), ConversionError);
    EXPECT_EQ(AmbientTemperature, 25.0);
    EXPECT_EQ(AmbientHumidity, 0.5);
    EXPECT_EQ(AmbientPressure, 101300.0);
    EXPECT_EQ(AmbientDensity, density);
    // A dot typed in a comma locale.
    EXPECT_THROW(ComputeAmbientAir("20.5", "50", "101300"), ConversionError);
}

TEST_F(AmbientAirTest, FaultsStopAtTheirStep) {
    // p equal to phi * ps: the humidity ratio divides by zero; ps was stored.
    // At 0 degC ps is the constant term, so the pressure can be typed exactly.
    const double ps = SaturationPressure(0.0);
    ASSERT_TRUE(ComputeAmbientAir("20", "50", "101300"));
    const double density = AmbientDensity;
    try {
        ComputeAmbientAir("0", "100", "612,858088403926");
        FAIL() << "no fault";
    } catch (const FloatingPointError& e) {
        EXPECT_EQ(e.Fault(), FloatFault::DivisionByZero);
    }
    EXPECT_EQ(AmbientSaturationPressure, ps);
    EXPECT_EQ(AmbientHumidity, 1.0);
    EXPECT_EQ(AmbientDensity, density);

    // Below -273 degC the viscosity law takes the logarithm of a negative
    // number; the density (which uses 273.15) is stored before that.
    try {
        ComputeAmbientAir("-274", "0", "101300");
        FAIL() << "no fault";
    } catch (const FloatingPointError& e) {
        EXPECT_EQ(e.Fault(), FloatFault::InvalidOperation);
    }
    EXPECT_NEAR(AmbientDensity, 101300.0 / (0.622 * 462 * (-274 + 273.15)) * 1.0, 1e-6);
    // At -273.15 the density divides by zero.
    EXPECT_THROW(ComputeAmbientAir("-273,15", "0", "101300"), FloatingPointError);
}

TEST_F(AmbientAirTest, NoLimitsOtherwise) {
    // A humidity above 100 % and a negative pressure are computed as typed.
    EXPECT_TRUE(ComputeAmbientAir("20", "150", "101300"));
    EXPECT_TRUE(ComputeAmbientAir("20", "50", "-1000"));
    EXPECT_LT(AmbientDensity, 0.0);
}

TEST_F(AmbientAirTest, AirDensityMatchesTheSettingsComputation) {
    for (const auto& [t, rh, p] : {std::tuple{-20.0, 80.0, 98000.0}, {35.0, 30.0, 101325.0}, {60.0, 95.0, 100000.0}}) {
        ASSERT_TRUE(ComputeAmbientAir(FloatToStr(t), FloatToStr(rh), FloatToStr(p)));
        EXPECT_EQ(AirDensity(t, rh, p), AmbientDensity);
        // Independent check with the ideal-gas mixture: rho = p_a/(R_a T) + p_v/(R_v T).
        const double pv = rh / 100 * SaturationPressure(t);
        const double T = t + 273.15;
        const double rho = (p - pv) / (287.1 * T) + pv / (462.0 * T);
        EXPECT_NEAR(AirDensity(t, rh, p), rho, rho * 2e-3);
    }
}

}  // namespace
}  // namespace vimtal
