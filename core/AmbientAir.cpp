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
