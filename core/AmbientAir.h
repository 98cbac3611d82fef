// Ambient air: the program-wide state of the air around the installation and
// the moist-air laws behind it.
//
// The settings window types temperature, relative humidity and barometric
// pressure; the saturation pressure, humidity ratio, density and kinematic
// viscosity follow. The orifice sizing and the pressure-loss calculator use
// them; the duct cooling simulation calls AirDensity at its own temperatures.
#pragma once

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
// fit applied at every temperature (no separate law over ice).
double SaturationPressure(double t);

// Density of moist air, kg/m3, at t degC, relative humidity RH in percent and
// pressure p in Pa. Reads and writes no shared value.
double AirDensity(double t, double RH, double p);

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
