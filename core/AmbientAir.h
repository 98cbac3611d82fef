// Ambient air: the program-wide state of the air around the installation and
// the moist-air laws behind it.
//
// The settings window types temperature, relative humidity and barometric
// pressure; the saturation pressure, humidity ratio, density and kinematic
// viscosity follow. The orifice sizing and the pressure-loss calculator use
// them; the duct cooling simulation calls AirDensity at its own temperatures.
#pragma once

#include "core/FloatingPoint.h"

#include <optional>
#include <string>

namespace vimtal {

// All zero until the first computation.
extern double AmbientTemperature;         // t, degC
extern double AmbientHumidity;            // relative humidity as a fraction (50 % -> 0.5)
extern double AmbientPressure;            // barometric pressure p, Pa
extern double AmbientSaturationPressure;  // ps at t, Pa
extern double AmbientHumidityRatio;       // x, kg water / kg dry air
extern double AmbientDensity;             // rho of the moist air, kg/m3
extern double AmbientViscosity;           // kinematic viscosity nu, m2/s

// Back to the start-of-run state (all zero).
void ResetAmbientAir();

// Saturation pressure of water vapour over water, Pa, at t degC: a quartic
// fit applied at every temperature (no separate law over ice). The whole
// powers are plain products, so odd powers keep the sign of a negative t.
inline double SaturationPressure(double t) {
    const fp::real T = t;
    const fp::real T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    return fp::Store(0.00042531839L * T4 + 0.026198398307L * T3 + 1.379245931636L * T2 + 44.590652450291L * T +
                     612.858088403926L);
}

// Humidity ratio x, kg of water per kg of dry air, at relative humidity phi
// (a fraction), saturation pressure ps and pressure p in Pa:
// x = 0.622 phi ps / (p - phi ps), 0.622 being the ratio of the molar masses
// of water and dry air.
inline double HumidityRatio(double phi, double ps, double p) {
    return fp::Store(fp::Div(0.622L * phi * ps, p - static_cast<fp::real>(phi) * ps));
}

// Density of moist air, kg/m3, at t degC, humidity ratio x and pressure p in
// Pa: rho = p (1 + x) / ((0.622 + x) R_v T), R_v = 462 J/(kg K).
inline double MoistAirDensity(double t, double x, double p) {
    return fp::Store(fp::Div(static_cast<fp::real>(p) * (1.0L + x), (0.622L + x) * 462.0L * (t + 273.15L)));
}

// Density of moist air, kg/m3, at t degC, relative humidity phi as a
// fraction (stored as a double) and pressure p in Pa. Inline: the duct
// simulation evaluates it every step.
inline double AirDensityAtFraction(double t, double phi, double p) {
    const double ps = SaturationPressure(t);
    return MoistAirDensity(t, HumidityRatio(phi, ps, p), p);
}

// The same at a relative humidity RH in percent. Reads and writes no shared
// value.
inline double AirDensity(double t, double RH, double p) {
    return AirDensityAtFraction(t, fp::Store(fp::Div(RH, 100.0L)), p);
}

// The two display texts of the settings window.
struct AirDisplays {
    std::string density;    // rounded to 0.01 kg/m3
    std::string viscosity;  // rounded to 0.000001 m2/s
};

// Recomputes the ambient air from the settings texts. When any text is empty
// nothing changes and nothing is returned. Otherwise the texts are converted
// and each field is stored as soon as it is computed; a conversion error or a
// floating-point fault ends the computation there (the fields stored before
// keep their new values) and propagates to the caller.
std::optional<AirDisplays> ComputeAmbientAir(const std::string& temperature, const std::string& humidity,
                                             const std::string& pressure);

}  // namespace vimtal
