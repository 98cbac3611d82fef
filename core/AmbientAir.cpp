#include "AmbientAir.h"

#include "FloatingPoint.h"
#include "Numbers.h"

namespace vimtal {

double KinematicViscosity(double t, double rho, double T0) {
    return fp::Store(fp::Div(fp::PowViaLog(fp::Div(t + static_cast<fp::real>(T0), T0), 1.5L) * 0.006676L,
                             (t + 385.0L) * rho));
}

std::optional<AirDisplays> AmbientAir::Recompute(const std::string& temperature, const std::string& humidity,
                                                 const std::string& pressure) {
    if (temperature.empty() || humidity.empty() || pressure.empty()) return std::nullopt;

    temperature_ = StrToFloat(temperature);
    humidity_ = fp::Store(fp::Div(StrToFloat(humidity), 100.0L));
    pressure_ = StrToFloat(pressure);

    const double t = temperature_;
    saturationPressure_ = vimtal::SaturationPressure(t);
    humidityRatio_ = vimtal::HumidityRatio(humidity_, saturationPressure_, pressure_);
    density_ = MoistAirDensity(t, humidityRatio_, pressure_);
    // The viscosity law takes t + 273 with the reference 273 K.
    viscosity_ = KinematicViscosity(t, density_, 273.0);

    displays_ = AirDisplays{RoundedDisplay(density_, -2), RoundedDisplay(viscosity_, -6)};
    return displays_;
}

void AmbientAir::UseDisplayedFigures() {
    density_ = StrToFloat(displays_.density);
    viscosity_ = StrToFloat(displays_.viscosity);
}

}  // namespace vimtal
