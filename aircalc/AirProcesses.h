// Air-handling processes ("Przemiany powietrza"): a chain of moist-air states
// and the processes of an air-handling unit between them, with the coil
// powers and the water flows.
//
// The inputs are a value type (ChainInput): the barometric pressure, the
// given states and the processes in order. ComputeChain recomputes the whole
// chain from them every time and returns every state and every process
// (ChainResult); nothing is kept between calls.
//
// Units, as the sheet shows them: t in degC, phi in %, x in g/kg (the laws
// take kg/kg), i in kJ per kg of dry air, rho in kg/m3, pressure in Pa,
// dry-air mass flow in kg/s, moist-air volume flow in m3/h, power Q in kW,
// water flow W in kg/h.
//
// Laws: only the air calculator's (aircalc/MoistAir.h, AirCalculator.h),
// with c_w = 4.19 kJ/(kg K) for liquid water; every step in extended
// precision stored as a double.
//
// Signs and balances. Q is the heat a coil gives the air (> 0 heating,
// < 0 cooling); W is the water the air takes (> 0 humidifying, condensate
// < 0), W = m (x2 - x1) 3600 with x in kg/kg. The water brings its enthalpy
// h_w: steam 2501 + 1.84 ts, spray water 4.19 tw, condensate 4.19 t_ADP
// (kJ/kg). Every process closes, to rounding,
//   sum(m_in i_in) + Q + W h_w / 3600 = m_out i_out,
//   sum(m_in x_in) + W / 3600         = m_out x_out.
//
// Refusals. An input the chain cannot be computed from (see ComputeChain)
// raises NoticeError, titled "Vimtal info", with a Polish message that names
// the state or process ("Przemiana 2 (ogrzewanie, M → 3): ...") and says what
// to change. ComputeChain returns only a complete result: after a refusal
// the caller keeps what it showed before.
#pragma once

#include "core/Notes.h"

#include <optional>
#include <string>
#include <vector>

namespace vimtal::aircalc {

// The air flowing through a state: the dry-air mass flow m [kg/s], or the
// moist-air volume flow V [m3/h], turned into m = V rho / (3600 (1 + x))
// with the state's own density.
struct AirFlow {
    enum class Kind { Mass, Volume };
    Kind kind = Kind::Mass;
    double value = 0;  // kg/s or m3/h, > 0
};

// A state given by the user: a name and exactly two of t, phi, x, i.
struct StateInput {
    std::string name;            // not empty, unique in the chain
    std::optional<double> t;     // degC
    std::optional<double> phi;   // %, 0 < phi <= 100
    std::optional<double> x;     // g/kg, > 0
    std::optional<double> i;     // kJ/kg
    std::optional<AirFlow> flow;  // needed by a mixing, or a heating by Q, starting here
};

enum class ProcessType {
    Mixing,   // "mieszanie" of two states, weighted by their dry-air flows
    Heating,  // "ogrzewanie" / "chłodzenie suche" at constant x: to t2, or by Q
    Cooling,  // "chłodzenie z osuszaniem": coil surface t_ADP, bypass factor BF
    Steam,    // "nawilżanie parą": to x2 or phi2, steam at ts
    Spray,    // "nawilżanie wodą" (adiabatic spray): to x2 or phi2, water at tw
};

inline constexpr double kDefaultSteamTemperature = 100.0;  // ts, degC
inline constexpr double kDefaultSprayTemperature = 15.0;   // tw, degC

// A process from earlier states to a new one. Only the parameters of its
// type may be set:
//   Mixing:  none;
//   Heating: exactly one of t2, q;
//   Cooling: adp and bf;
//   Steam:   exactly one of x2, phi2, and optionally ts;
//   Spray:   exactly one of x2, phi2, and optionally tw.
struct ProcessInput {
    ProcessType type = ProcessType::Heating;
    // Names of states given or made earlier: two for mixing, one otherwise.
    std::vector<std::string> from;
    std::string to;  // the new state's name, unique in the chain
    std::optional<double> t2;    // degC, end temperature of a heating
    std::optional<double> q;     // kW, power of a heating (< 0: dry cooling)
    std::optional<double> adp;   // degC, coil surface ("apparatus dew point")
    std::optional<double> bf;    // bypass factor, 0...1
    std::optional<double> x2;    // g/kg, end humidity ratio of a humidifier
    std::optional<double> phi2;  // %, end relative humidity of a humidifier
    std::optional<double> ts;    // degC, steam; kDefaultSteamTemperature if absent
    std::optional<double> tw;    // degC, spray water; kDefaultSprayTemperature if absent
};

struct ChainInput {
    double pressure = 101325;  // Pa, the barometric pressure pb
    std::vector<StateInput> states;
    std::vector<ProcessInput> processes;
};

struct StateResult {
    std::string name;
    int madeBy = -1;  // index of the process that made it; -1 for a given state
    double t = 0;     // degC; for fog, on the fog isotherm
    double phi = 0;   // %; 100 for fog
    double x = 0;     // g/kg, all the water (vapour and, in fog, droplets or ice)
    double i = 0;     // kJ/kg
    double rho = 0;   // kg/m3, of the gas (the vapour it holds)
    double tr = 0;    // degC, dew point (DewPoint of the vapour pressure)
    double tm = 0;    // degC, wet-bulb temperature (WetBulbSearch)
    double humidityRatio = 0;  // x in kg/kg, as the laws and the chart take it
    bool fog = false;          // beyond saturation: holds water as droplets or ice
    std::optional<double> massFlow;  // kg/s of dry air, when known
};

// The flow, the power and the water flow are known when the process's start
// has a flow (always for a mixing and a heating by Q); without one the end
// state is drawn all the same, a sketch of the unit.
struct ProcessResult {
    std::string name;       // the Polish name as the sheet shows it (see ProcessName)
    std::vector<int> from;  // indices into ChainResult::states, as in the input
    int to = -1;            // index into ChainResult::states
    std::optional<double> massFlow;  // kg/s of dry air through the process
    std::optional<double> power;     // Q, kW
    std::optional<double> water;     // W, kg/h
};

struct ChainResult {
    // The given states in their order, then each process's end state in the
    // processes' order: the sheet's order.
    std::vector<StateResult> states;
    std::vector<ProcessResult> processes;  // one per input process, in order
    // Fog, and states outside -20...50 degC, as notes for "⚠ Uwagi".
    Notes notes;
};

// The temperatures any state may have, and the accepted barometric
// pressures. The calculator's saturation law turns at about -26.8 degC
// (below, it rises again), so every search for a temperature starts above
// that; up to 80 degC saturated vapour stays below the lowest pressure
// (ps(80) = 49 588 Pa), so air at any state of the chain can be saturated.
inline constexpr double kLowestStateTemperature = -26.0;   // degC
inline constexpr double kHighestStateTemperature = 80.0;   // degC
inline constexpr double kLowestPressure = 50000.0;         // Pa
inline constexpr double kHighestPressure = 120000.0;       // Pa

// Recomputes the chain. Refused (NoticeError, see above) when:
//   - the pressure is outside kLowestPressure...kHighestPressure;
//   - a name is empty or repeated, or a process names a state that is not
//     given or made earlier (a mixing needs two different states);
//   - a state does not give exactly two of t, phi, x, i, or gives phi
//     outside (0, 100], x <= 0, a flow whose dry-air mass flow lies outside
//     0.0001...100 000 kg/s, or (t, i) beyond saturation (fog is given by x
//     and i, or by t and x);
//   - a value (of a state or a parameter) is not finite or lies beyond
//     +-1 000 000;
//   - a state, given or made, lies outside the temperatures above;
//   - a process lacks its parameters, has another type's, or is a mixing
//     or a heating by Q that starts from a state without a flow (the
//     mixing's weights and the end of the heating need it; every other
//     process finds its end without one, and then its m, Q and W are
//     unknown);
//   - a heating ends below the start's dew point (cooling with
//     dehumidification does that), a cooling has BF outside 0...1 or a coil
//     warmer than the air, a humidifier's target is below the start or
//     beyond saturation.
// Nothing else is raised: the limits above keep every step within the double
// range.
ChainResult ComputeChain(const ChainInput& chain);

// The type's name: "mieszanie", "ogrzewanie", "chłodzenie z osuszaniem",
// "nawilżanie parą", "nawilżanie wodą". A computed process may read
// otherwise (ProcessResult::name): a heating that removes heat (Q < 0) and a
// cooling whose coil stays above the dew point are "chłodzenie suche".
std::string ProcessName(ProcessType type);

// The type's key in .ixp files: "mixing", "heating", "cooling", "steam",
// "spray".
std::string ProcessKey(ProcessType type);

// The process's parameters as the sheet shows them, with the locale's
// decimal separator and the defaults it used: "t2 = 32 °C", "Q = 15 kW",
// "tADP = 8 °C, BF = 0,1", "φ2 = 40 %, ts = 100 °C", "x2 = 9 g/kg, tw = 15 °C".
std::string ParametersText(const ProcessInput& process);

// The "Eksportuj do CSV..." file for a spreadsheet (core/Csv.h: UTF-8 with a
// byte-order mark, ';', CR LF, the locale's decimal separator): the states'
// header "Punkt;t [°C];φ [%];x [g/kg];i [kJ/kg];ρ [kg/m³];tr [°C];tm [°C]"
// and a row per state in the sheet's order (t 2 decimals, phi 2, x 2, i 2,
// rho 3, tr 2, tm 2), an empty line, then "Przemiana;Z;Do;ṁ [kg/s];Q [kW];W
// [kg/h]" and a row per process (a mixing's start "A+B"; m 4 decimals, Q and
// W 2; empty cells where a process has no flow).
std::string ChainCsv(const ChainResult& result);

}  // namespace vimtal::aircalc
