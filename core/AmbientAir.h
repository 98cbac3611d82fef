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

// Kinematic viscosity of air, m2/s, at t degC and density rho kg/m3:
// Sutherland's law for the dynamic viscosity, ((t + T0) / T0)^1.5 * 0.006676
// / (t + 385) (Sutherland constant 112 K, hence t + 385), divided by the
// density. The exponent 1.5 is evaluated as exp(1.5 ln(base)). The settings
// window takes the reference T0 = 273 K.
double KinematicViscosity(double t, double rho, double T0);

// The two display texts of the settings window.
struct AirDisplays {
    std::string density;    // rounded to 0.01 kg/m3
    std::string viscosity;  // rounded to 0.000001 m2/s
};

// The ambient air of the whole run: the temperature, relative humidity and
// barometric pressure typed in the settings window, and the saturation
// pressure, humidity ratio, density and kinematic viscosity derived from
// them. One object, owned by the program and handed to the windows that use
// it; every value is zero until the first computation.
//
// Two writers, named for what they do:
// - Recompute: the settings window's recomputation from its three texts;
// - UseDisplayedFigures: the pressure-loss calculator's windows, which work
//   with the density and viscosity rounded as the settings window shows
//   them, until the next recomputation.
class AmbientAir {
public:
    // When any text is empty nothing changes and nothing is returned.
    // Otherwise the texts are converted and each value is stored as soon as
    // it is computed; a conversion error or a floating-point fault ends the
    // computation there (the values stored before keep their new values)
    // and propagates to the caller. Returns the two display texts, which the
    // object keeps (Displays()).
    std::optional<AirDisplays> Recompute(const std::string& temperature, const std::string& humidity,
                                         const std::string& pressure);

    // Converts the displayed density and viscosity (Displays()) and stores
    // them, the density first; a text that does not convert raises the
    // conversion error (the density stays stored when the viscosity fails).
    void UseDisplayedFigures();

    // The texts the settings window shows ("" before the first computation).
    const AirDisplays& Displays() const { return displays_; }

    double Temperature() const { return temperature_; }                // t, degC
    double Humidity() const { return humidity_; }                      // relative humidity as a fraction
    double Pressure() const { return pressure_; }                      // barometric pressure p, Pa
    double SaturationPressure() const { return saturationPressure_; }  // ps at t, Pa
    double HumidityRatio() const { return humidityRatio_; }            // x, kg water / kg dry air
    double Density() const { return density_; }                        // rho, kg/m3
    double Viscosity() const { return viscosity_; }                    // nu, m2/s

private:
    double temperature_ = 0.0;
    double humidity_ = 0.0;
    double pressure_ = 0.0;
    double saturationPressure_ = 0.0;
    double humidityRatio_ = 0.0;
    double density_ = 0.0;
    double viscosity_ = 0.0;
    AirDisplays displays_;
};

}  // namespace vimtal
