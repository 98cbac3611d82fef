// The moist-air state calculator ("Kalkulator IX").
//
// From any two of specific enthalpy i, humidity ratio x, temperature t and
// relative humidity phi, at barometric pressure pb, it completes the state:
// the other two, the saturation pressure ps, the partial pressures of vapour
// pp and of dry air pg, the dew point tr, the wet-bulb temperature tm and the
// density rho. It has its own saturation-pressure law (a sixth-degree fit
// over water), independent of the ambient-air settings.
//
// Every step is evaluated in extended precision and stored as a double
// before the next reads it. Faults are raised at their step
// (FloatingPointError); the values stored before stay stored. A search that
// cannot end on a real air state is refused with a NoticeError titled
// "Vimtal info".
#pragma once

#include "core/Notes.h"

#include <array>
#include <optional>
#include <string>

namespace vimtal::aircalc {

// Saturation pressure of water vapour [Pa] at T [degC].
double AirCalcSaturationPressure(double T);

// Dew-point temperature [degC] of air whose vapour pressure is p [Pa]; four
// logarithmic fits by range of p. p <= 0 is a floating-point fault.
double DewPoint(double p);

// The search of the wet-bulb temperature: the first temperature on the grid
// -29.999, -29.998, ... degC at which saturated air holds no more than the
// enthalpy i [kJ/kg] at pb [Pa]. Refused when the saturation pressure reaches
// pb first, or above kSearchTopTemperature.
double WetBulbSearch(double i, double pb);

// The same stepping for case 6: the temperature at which air of relative
// humidity phi (a fraction) has the enthalpy i. Refused when the vapour
// pressure phi * ps reaches pb first, or above kSearchTopTemperature.
double TemperatureSearch(double i, double phi, double pb);

// No moist-air state of the suite lies anywhere near this.
inline constexpr double kSearchTopTemperature = 1000.0;  // degC

// The module values: zero at start, kept between calculations. phi is in
// percent as typed, turned into a fraction where a case says so.
struct AirState {
    double i = 0, x = 0, t = 0, phi = 0, pb = 0;
    double ps = 0, pp = 0, pg = 0, tr = 0, tm = 0, rho = 0;
};

// The texts typed for the specific enthalpy i [kJ/kg], the humidity ratio x
// [kg/kg], the temperature t [degC], the relative humidity phi [%] and the
// barometric pressure pb [Pa].
struct AirTexts {
    std::string i, x, t, phi, pb;
};

// What a calculation shows: the property fields it writes back (the given
// ones are never rewritten) and the six result texts.
struct AirResults {
    int caseNumber = 0;  // 1 (i, x) ... 6 (i, phi)
    std::optional<std::string> i, x, t, phi;
    std::string ps, pp, pg, tr, tm, rho;
    // The assumptions the state leaves (AssumptionNotes).
    Notes notes;
};

// The calculator's saturation-pressure law is a fit over liquid water from 0
// to 100 degC, and relative humidity ends at saturation: a note for a
// temperature t [degC] below 0 or above 100, and for a relative humidity
// [%] above 100. A value on a bound gives none.
Notes AssumptionNotes(double t, double relativeHumidityPercent);

// The case the filled fields select: the first of (i, x), (i, t), (x, t),
// (x, phi), (t, phi), (i, phi) whose two fields and pb are not empty; 0 for
// none.
int SelectCase(const AirTexts& texts);

// "Oblicz": converts every non-empty text into `state` (in the order i, x, t,
// phi, pb; an empty text leaves its value), then computes the selected case.
// Nothing is returned when no case applies.
std::optional<AirResults> Calculate(AirState& state, const AirTexts& texts);

// Locking of the property fields (0 = i, 1 = x, 2 = t, 3 = phi) when field
// `changed` changes: for every other field that is, with the changed one,
// non-empty, the two fields outside that pair become locked. Returns the
// fields to lock; locks are only ever added.
std::array<bool, 4> FieldsToLock(int changed, const std::array<bool, 4>& filled);

}  // namespace vimtal::aircalc
