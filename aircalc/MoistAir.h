// The moist-air laws of the air calculator, shared by the calculator, the
// i-x chart and the air-handling processes, so that a state computed in one
// lies exactly on the lines of the others.
//
// Units: t in degC, x in kg of water per kg of dry air, i in kJ per kg of
// dry air, pressures in Pa, rho in kg/m3. Every step is evaluated in
// extended precision and stored as a double before the next reads it; a
// floating-point fault is raised at its step (FloatingPointError).
#pragma once

namespace vimtal::aircalc {

// Specific heats and latent heats of the enthalpy law, kJ/(kg K) and kJ/kg,
// in extended precision as every step reads them.
inline constexpr long double kDryAirHeat = 1.005L;     // c_p of dry air
inline constexpr long double kVapourHeat = 1.84L;      // c_p of water vapour
inline constexpr long double kVaporisationHeat = 2501.0L;  // r_0 at 0 degC
// Liquid water and ice carried by fog (and water sprayed or condensed).
inline constexpr long double kLiquidWaterHeat = 4.19L;  // c_w
inline constexpr long double kIceHeat = 2.09L;          // c_l
inline constexpr long double kFusionHeat = 335.0L;      // r_t of ice at 0 degC

// i = (2501 + 1.84 t) x + 1.005 t: the latent heat of vaporisation at
// 0 degC plus the sensible heat of vapour and of dry air.
double Enthalpy(double t, double x);

// Ideal-gas density of moist air; R of vapour 462 J/(kg K), and the law uses
// t + 273 (not 273.15).
double Density(double t, double x, double pb);

// x of air of relative humidity phi (a fraction) whose saturation pressure
// is ps: the vapour pressure phi ps over the dry-air pressure pb - phi ps,
// times 0.622, the ratio of the molar masses of water and air.
double HumidityRatio(double phi, double ps, double pb);

// phi (a fraction) of air of humidity ratio x at saturation pressure ps.
double RelativeHumidity(double x, double ps, double pb);

// The temperature of unsaturated air of enthalpy i and humidity ratio x:
// t = (i - 2501 x) / (1.005 + 1.84 x).
double TemperatureOf(double i, double x);

// The humidity ratio of unsaturated air of enthalpy i at temperature t, the
// enthalpy law solved for x: x = (i - 1.005 t) / (2501 + 1.84 t).
double HumidityRatioOf(double i, double t);

// The partial pressure of vapour in air of humidity ratio x:
// pp = x pb / (0.622 + x).
double VapourPressure(double x, double pb);

// x'' of saturated air at t, by the calculator's saturation law (over water,
// also below 0 degC).
double SaturationHumidityRatio(double t, double pb);

// Fog: air holding more water than saturated air at its temperature holds
// as vapour. The surplus x - x'' is carried as droplets at or above 0 degC
// (c_w t per kg) and as ice below (-335 + 2.09 t per kg), so the fog
// isotherms are straight lines a little steeper than the enthalpy lines.
// The enthalpy of fog at t holding x in all:
double FogEnthalpy(double t, double x, double pb);

// At 0 degC the surplus may be water, ice or both: fog of the same x lies
// between FogEnthalpy(0, x) (all water) and this enthalpy (all ice, 335 kJ
// less per kg of surplus), so the 0 degC isotherm of fog fans into a wedge.
double FrozenFogEnthalpyAtZero(double x, double pb);

// True when air of enthalpy i and humidity ratio x lies beyond saturation:
// its unsaturated temperature TemperatureOf(i, x) holds less than x.
bool IsFog(double i, double x, double pb);

// The temperature of fog of enthalpy i and total water x: the t at which
// FogEnthalpy(t, x) = i, found by bisection to 1e-10 K between the
// saturation temperature of x and TemperatureOf(i, x). Only for a state
// IsFog finds beyond saturation.
double FogTemperature(double i, double x, double pb);

}  // namespace vimtal::aircalc
