#include "AmbientAir.h"

#include "FloatingPoint.h"
#include "Numbers.h"

namespace vimtal {

double AmbientTemperature = 0.0;
double AmbientHumidity = 0.0;
double AmbientPressure = 0.0;
double AmbientSaturationPressure = 0.0;
double AmbientHumidityRatio = 0.0;
double AmbientDensity = 0.0;
double AmbientViscosity = 0.0;

void ResetAmbientAir() {
    AmbientTemperature = AmbientHumidity = AmbientPressure = 0.0;
    AmbientSaturationPressure = AmbientHumidityRatio = AmbientDensity = AmbientViscosity = 0.0;
}

namespace {
using fp::real;

// x = 0.622 phi ps / (p - phi ps): the mass of vapour per mass of dry air,
// 0.622 being the ratio of the molar masses of water and dry air.
double HumidityRatio(double phi, double ps, double p) {
    return fp::Store(fp::Div(0.622L * phi * ps, p - static_cast<real>(phi) * ps));
}

// rho = p (1 + x) / ((0.622 + x) R_v T), R_v = 462 J/(kg K) for water vapour.
double MoistAirDensity(double t, double x, double p) {
    return fp::Store(fp::Div(static_cast<real>(p) * (1.0L + x), (0.622L + x) * 462.0L * (t + 273.15L)));
}
}  // namespace

double SaturationPressure(double t) {
    const real T = t;
    return fp::Store(0.00042531839L * fp::IntPower(T, 4) + 0.026198398307L * fp::IntPower(T, 3) +
                     1.379245931636L * fp::IntPower(T, 2) + 44.590652450291L * T + 612.858088403926L);
}

double AirDensity(double t, double RH, double p) {
    const double phi = fp::Store(fp::Div(RH, 100.0L));
    const double ps = SaturationPressure(t);
    const double x = HumidityRatio(phi, ps, p);
    return MoistAirDensity(t, x, p);
}

std::optional<AirDisplays> ComputeAmbientAir(const std::string& temperature, const std::string& humidity,
                                             const std::string& pressure) {
    if (temperature.empty() || humidity.empty() || pressure.empty()) return std::nullopt;

    AmbientTemperature = StrToFloat(temperature);
    AmbientHumidity = fp::Store(fp::Div(StrToFloat(humidity), 100.0L));
    AmbientPressure = StrToFloat(pressure);

    const double t = AmbientTemperature;
    AmbientSaturationPressure = SaturationPressure(t);
    AmbientHumidityRatio = HumidityRatio(AmbientHumidity, AmbientSaturationPressure, AmbientPressure);
    AmbientDensity = MoistAirDensity(t, AmbientHumidityRatio, AmbientPressure);
    // Sutherland's law for the dynamic viscosity (reference 273 K, Sutherland
    // constant 112 K, hence t + 385), divided by the density.
    AmbientViscosity = fp::Store(fp::Div(fp::PowViaLog(fp::Div(t + 273.0L, 273.0L), 1.5L) * 0.006676L,
                                         (t + 385.0L) * AmbientDensity));

    return AirDisplays{RoundedDisplay(AmbientDensity, -2), RoundedDisplay(AmbientViscosity, -6)};
}

}  // namespace vimtal
