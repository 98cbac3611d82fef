#include "aircalc/MoistAir.h"

#include "aircalc/AirCalculator.h"
#include "core/Errors.h"
#include "core/FloatingPoint.h"

namespace vimtal::aircalc {

using fp::real;

double Enthalpy(double t, double x) {
    return fp::Store((kVaporisationHeat + kVapourHeat * t) * x +
                     kDryAirHeat * t);
}

double Density(double t, double x, double pb) {
    return fp::Store(fp::Div((1.0L + x) * pb, (0.622L + x) * 462.0L * (t + 273.0L)));
}

double HumidityRatio(double phi, double ps, double pb) {
    const real vapour = static_cast<real>(phi) * ps;
    return fp::Store(fp::Div(0.622L * vapour, pb - vapour));
}

double RelativeHumidity(double x, double ps, double pb) {
    return fp::Store(fp::Div(static_cast<real>(x) * pb, 0.622L * ps + static_cast<real>(x) * ps));
}

double TemperatureOf(double i, double x) {
    return fp::Store(fp::Div(i - kVaporisationHeat * x,
                             kDryAirHeat + kVapourHeat * x));
}

double HumidityRatioOf(double i, double t) {
    return fp::Store(fp::Div(i - kDryAirHeat * t, kVaporisationHeat + kVapourHeat * t));
}

double VapourPressure(double x, double pb) { return fp::Store(fp::Div(static_cast<real>(x) * pb, 0.622L + x)); }

double SaturationHumidityRatio(double t, double pb) { return HumidityRatio(1.0, AirCalcSaturationPressure(t), pb); }

namespace {

// The enthalpy of one kg of the water that fog carries beyond saturation:
// liquid at or above 0 degC, ice below.
real CondensedWaterEnthalpy(double t) {
    if (t >= 0.0) return kLiquidWaterHeat * t;
    return -kFusionHeat + kIceHeat * t;
}

// True when saturated air at t holds at least x as vapour; a saturation
// pressure at or above pb holds any amount.
bool HoldsAsVapour(double t, double x, double pb) {
    const double ps = AirCalcSaturationPressure(t);
    if (ps >= pb) return true;
    return HumidityRatio(1.0, ps, pb) >= x;
}

// Saturated air at t carrying x - x'' beyond saturation, each kg of it
// holding `condensed` kJ.
double FogEnthalpyWith(double t, double x, double pb, real condensed) {
    const double xs = SaturationHumidityRatio(t, pb);
    if (xs >= x) return Enthalpy(t, x);
    return fp::Store(kDryAirHeat * t +
                     static_cast<real>(xs) * (kVaporisationHeat + kVapourHeat * t) +
                     (static_cast<real>(x) - xs) * condensed);
}

}  // namespace

double FogEnthalpy(double t, double x, double pb) { return FogEnthalpyWith(t, x, pb, CondensedWaterEnthalpy(t)); }

double FrozenFogEnthalpyAtZero(double x, double pb) { return FogEnthalpyWith(0.0, x, pb, -kFusionHeat); }

bool IsFog(double i, double x, double pb) { return !HoldsAsVapour(TemperatureOf(i, x), x, pb); }

double FogTemperature(double i, double x, double pb) {
    // Below the fog temperature the fog holds less heat than i; at the
    // unsaturated temperature of (i, x) it holds less still (its surplus
    // water carries less heat than the same water as vapour), and at the
    // saturation temperature of x it is plain saturated air, warmer than
    // (i, x). The fog enthalpy rises with t, so a bisection finds it.
    double low = TemperatureOf(i, x);
    double step = 1.0;
    double high = fp::Store(static_cast<real>(low) + step);
    while (!HoldsAsVapour(high, x, pb)) {
        step *= 2.0;
        if (step > 1024.0) throw FloatingPointError(FloatFault::InvalidOperation);
        high = fp::Store(static_cast<real>(low) + step);
    }
    while (high - low > 1e-10) {
        const double middle = fp::Store((static_cast<real>(low) + high) / 2.0L);
        if (middle <= low || middle >= high) break;
        if (FogEnthalpy(middle, x, pb) < i) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return fp::Store((static_cast<real>(low) + high) / 2.0L);
}

}  // namespace vimtal::aircalc
