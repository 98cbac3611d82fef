// Charging of a domestic-hot-water storage tank: an explicit time-stepping
// heat balance of a fully mixed, vertical cylindrical tank.
//
// One water temperature stands for the whole tank. Each step adds the heat
// the source delivers and takes away the heat lost through the steel wall and
// the insulation to the still air of a large room (free convection outside,
// a fixed inner film inside, no radiation). The source is either heating
// water, whose power falls linearly to zero as the tank approaches the mean
// of its supply and return temperatures, or an electric heater of constant
// power.
//
// A run has two stages. Prepare checks and converts what the window shows
// into Inputs, a plain value. Simulate steps from those Inputs until a stop
// rule ends the run and returns where it ended; it reads nothing but its
// arguments and writes nothing but its result, so it may run on a copy of
// the inputs on any thread. The window's "Symulacja" simulates once, each
// chart twice (once to scale the axes, once to draw), through the same loop
// with an observer that sees every step.
//
// Between runs the window keeps the few values a run or an exchange between
// the source power and the mass flow reads back (KeptValues): the power and
// the flow last given or derived, and the target temperature and time last
// read.
//
// Units: temperatures in degrees C, lengths in m (the insulation and wall
// thickness are typed in mm), power in kW, heat per step in kJ, the time and
// the time step in s, volume in dm3 (litres), density in kg/dm3, mass flow in
// kg/s, the draw in l/s.
#pragma once

#include "core/FloatingPoint.h"
#include "core/Messages.h"
#include "core/Notes.h"
#include "core/RunControl.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vimtal::dhwsim {

// Specific heat of water, kJ/(kg K).
inline constexpr long double kWaterHeat = 4.19L;

// The title of the simulation's own message boxes, in capitals; the target
// temperature left empty is told under the calculators' kInfoTitle.
inline constexpr const char* kDhwInfoTitle = "VIMTAL info";

// Density of water in kg/dm3 at t degrees C (a sixth-degree fit over the
// liquid range).
double WaterDensity(double t);

// The tank volume the window shows as the height and diameter are typed:
// V = D * (D * 3.1415) * 0.25 * H, in m3 to 4 decimals and in dm3 to 2.
struct VolumeTexts {
    std::string cubicMetres, litres;
};
VolumeTexts TankVolume(const std::string& height, const std::string& diameter);

// The time of a result in minutes (1 decimal) and hours (2 decimals).
struct DurationTexts {
    std::string minutes, hours;
};
DurationTexts MinutesAndHours(const std::string& seconds);

// The two quantities that describe the heat source: its power and the mass
// flow of heating water that delivers it.
enum class SourceQuantity { Power, MassFlow };

// The texts and choices of the simulation window, as it shows them.
struct WindowInputs {
    std::string initialTemperature = "10";  // tw0, initial water temperature, degC
    std::string height;                      // H, tank height, m
    std::string diameter;                    // D, tank diameter, m
    std::string wallThickness = "2";         // tank wall thickness, mm (converted, takes no part)
    std::string insulation = "90";           // diz, insulation thickness, mm
    std::string insulationConductivity = "0,025";  // lambda_iz, of the insulation, W/(m K)
    std::string wallConductivity = "60";           // lambda_cwu, of the tank wall, W/(m K)
    std::string airTemperature = "20";       // ta, room air around the tank, degC
    std::string timeStep = "1";              // dtau, s
    std::string supplyTemperature = "80";    // tz, supply of the heating water, degC
    std::string returnTemperature = "80";    // tp, return of the heating water, degC
    std::string power;                       // Q, source power, kW
    std::string massFlow;                    // m, mass flow of heating water, kg/s
    std::string targetTemperature;           // tk, temperature to reach, degC
    std::string targetTime;                  // tau_k, time after which the temperature is read, s

    bool waterHeating = true;     // heated by water from a source (power falls as the tank warms)
    bool electricHeating = false;  // heated electrically (constant power); both may be off
    // The quantity of the source the user types (the other follows from it):
    // the power, else the mass flow. The one typed must not be empty.
    bool powerEntrySelected = true;
    // The quantity of the source a run takes from its text; the other one is
    // the value the window keeps (KeptValues). The power, with the flow the
    // window derived from it; or the mass flow as its text shows it (typed,
    // or derived from the power and rounded to 7 decimals), with the power
    // the window keeps.
    SourceQuantity givenSource = SourceQuantity::Power;
    // What stops the run: reaching the target temperature, else the target
    // time; the run reads the one that stops it.
    bool targetTemperatureSelected = true;
};

// The settings window.
struct SimulationSettings {
    std::string limit = "10000000";  // N, s of simulated time (an integer)
    bool losses = true;              // include the heat lost to the room
};

// The source of heating water as the window keeps it between its exchanges
// and runs: the power and the mass flow last given or derived, and whether
// that flow still belongs to the temperatures typed.
struct SourceValues {
    double power = 0;     // Q, kW
    double massFlow = 0;  // m, kg/s
    bool flowKnown = false;
};

// What the window keeps from one run to the next: the source, and the target
// temperature and time last read (a run reads only the one its criterion
// needs; 0 before the first).
struct KeptValues {
    SourceValues source;
    double targetTemperature = 0;  // tk, degC
    double targetTime = 0;         // tau_k, s
};

enum class Criterion { TargetTemperature, TargetTime };

// Which checks and reads a preparation makes: the window's run checks every
// box and reads the wall thickness; a chart paint leaves out the emptiness
// checks of the power and mass-flow boxes and does not read the wall.
enum class Purpose { Run, Chart };

// Every converted input and the values derived from them: what a run needs,
// and nothing it shares.
struct Inputs {
    double tw0 = 0, H = 0, D = 0, V = 0, diz = 0, wall = 0;
    double lambdaInsulation = 0, lambdaWall = 0, ta = 0, dtau = 0;
    double tz = 0, tp = 0, tm = 0;
    double Q = 0, m = 0;
    double tk = 0, tauk = 0;  // the target temperature and time (the one not read as kept)
    std::int32_t N = 0;
    bool losses = true;
    bool waterHeating = true;
    bool electricHeating = false;
    Criterion criterion = Criterion::TargetTemperature;
};

// Reads, checks and converts the window's inputs. Returns nothing after one
// message when a check refuses them; a run that would take more than
// kMaxSteps steps (RunEnd / dtau) is refused so, before anything is written. The values the window keeps are updated
// in `kept` as soon as each is read, so a conversion error part-way (thrown,
// core/Errors.h) leaves the earlier ones updated. Faults of the first step's
// heat are raised here too, before anything is drawn or written.
std::optional<Inputs> Prepare(const WindowInputs& window, const SimulationSettings& settings, Purpose purpose,
                              KeptValues& kept, MessageSink& messages);

// The state of a run, after a step.
struct State {
    double t = 0;       // elapsed time, s
    double tw = 0;      // water temperature, degrees C
    double rho = 0;     // density used in the last step, kg/dm3
    double Es = 0;      // heat the source delivers in the next step, kJ
    double El = 0;      // heat lost in the next step, kJ (negative: a gain)
    // The film coefficients and the resistance of the temperature at the
    // start and at the end of a run (the steps between use their fast form).
    double alphaE = 0;  // outer convection coefficient, W/(m2 K)
    double alphaI = 0;  // inner convection coefficient, W/(m2 K)
    double R = 0;       // resistance per metre of the equivalent pipe, m K/W
};

enum class Stop {
    TargetReached,  // tw >= tk
    TargetMissed,   // the limit came first
    TimeElapsed,    // t >= tau_k
    LimitReached,   // target time not reached within the limit
    Cancelled,      // the observer asked to stop
};

// Where a run ended.
struct Result {
    Stop stop = Stop::TargetMissed;
    State end;
};

// The state before the first step: t = 0, tw = tw0 and the heat of the first
// step.
State InitialState(const Inputs& in);

// How often a run asks whether to go on: every this many steps.
inline constexpr int kPollSteps = static_cast<int>(kStepsBetweenChecks);

// The simulated time at which a run ends at the latest, s: the limit N, or
// the target time when that comes first. Divided by the time step it is the
// most steps the run can take.
double RunEnd(const Inputs& in);

// Observers of a run that want nothing: no step seen, never stopped.
struct IgnoreSteps {
    void operator()(const State&) const {}
};
struct NeverStop {
    bool operator()(double) const { return true; }
};

// The heat lost in a step, by the formula as written (tests) or in the fast
// form the runs use; the two give the same runs.
enum class LossForm { Fast, Textbook };

// Steps from the initial state until a stop rule ends the run. onStep(state)
// runs after every step (the charts draw from it); every kPollSteps steps
// proceed(t) is asked, with the simulated time t, whether to go on: false
// ends the run with Stop::Cancelled. Both are inlined, so the observers that
// want nothing cost nothing. Floating-point errors are thrown.
template <LossForm form = LossForm::Fast, typename OnStep = IgnoreSteps, typename Proceed = NeverStop>
Result Simulate(const Inputs& in, OnStep&& onStep = {}, Proceed&& proceed = {});

// A run watched by `watch` (core/RunControl.h): every kPollSteps steps it is
// told the simulated time against RunEnd, and a stop request ends the run
// by throwing Cancelled.
template <typename OnStep = IgnoreSteps>
Result SimulateWatched(const Inputs& in, const RunWatch& watch, OnStep&& onStep = {}) {
    const double end = RunEnd(in);
    return Simulate(in, onStep, [&watch, end](double t) {
        watch(t, end);
        return true;
    });
}

// The hot-water flow the nominal power, less the loss, heats from tw0 to
// the final temperature, l/s; nullopt when the temperature did not change.
std::optional<double> Draw(const Inputs& in, const State& end);

// Texts for the result boxes; nullopt leaves a box as it is.
struct ResultTexts {
    std::optional<std::string> time;         // time the target temperature was reached, s
    std::optional<std::string> minutes;      // the same time, min
    std::optional<std::string> hours;        // the same time, h
    std::optional<std::string> temperature;  // temperature reached after the target time, degC
    std::optional<std::string> draw;         // constant draw, l/s
};

// The result texts of a run, as the window's run writes them (a missed
// target or a cancelled run writes nothing).
ResultTexts RunResults(const Inputs& in, const Result& result);
// The result texts of a chart's first pass: written whatever the stop.
ResultTexts ChartResults(const Inputs& in, const Result& result);

// The assumptions the inputs leave: a water temperature (tw0, the target tk,
// and with water heating tz and tp) outside 0-100 degC, where the
// water-density law holds; a supply colder than its return; a target time
// shorter than one time step (a run always makes one).
Notes AssumptionNotes(const Inputs& in);

struct RunReport {
    bool prepared = false;  // false: a check refused the inputs (its message was shown)
    Stop stop = Stop::TargetMissed;
    ResultTexts results;
    bool openChart = false;  // the chart "tw=f(t)" follows a run that did not miss
    Notes notes;             // the assumptions the inputs leave
    Inputs inputs;           // as prepared
    State end;               // where the run ended
};

// What a finished run shows: the message of a missed target (to `messages`),
// the result texts, whether the chart follows, the notes.
RunReport Conclude(const Inputs& in, const Result& result, MessageSink& messages);

// One press of "Symulacja": Prepare, Simulate, Conclude. The messages of
// refused inputs and of a missed target go to `messages`; conversion and
// floating-point errors are thrown.
RunReport RunSimulation(const WindowInputs& window, const SimulationSettings& settings, KeptValues& kept,
                        MessageSink& messages);

// The window's exchange between the source power and the mass flow of
// heating water, m = Q / ((tm - tw0) * 4.19). The texts are those of the
// initial temperature, supply and return boxes.
struct SourceTexts {
    std::string initialTemperature, supplyTemperature, returnTemperature;
};
struct Exchange {
    bool refused = false;    // refused with a message: nothing changes
    SourceValues source;     // the source as the window keeps it afterwards
    std::string text;        // for the other quantity's box; empty: no flow is known
    bool sourceAboveWater = false;  // tm > tw0: a power can be turned into a flow
};
// Power to flow: converts the power text (or, when `power` is null, takes
// the kept power) and derives the flow, whose text has 7 decimals. With a
// `ceiling` (the target temperature of the last run, when water heating is
// ticked), a target above the mean source temperature is refused with a
// message.
//
// Heating water can only deliver a power to a tank colder than the mean
// of its supply and return: at tm = tw0 no flow gives the power, and at
// tm < tw0 the flow would come out negative and heat a hot tank without
// bound. Such a source is refused with a message, the flow kept before
// (derived for another initial temperature) is forgotten, and the text is
// empty: the mass-flow box is emptied.
Exchange PowerToFlow(const SourceValues& kept, const SourceTexts& texts, const std::string* power,
                     std::optional<double> ceiling, MessageSink& messages);
// Flow to power: the power's text has 2 decimals. A flow given this way is
// known, whatever the temperatures: a source colder than the tank cools it
// towards tm, and the power comes out negative.
Exchange FlowToPower(const SourceTexts& texts, const std::string& massFlow);

// ---------------------------------------------------------------------------
// The inner loop, inline: up to ten million steps a run.

inline double WaterDensityInline(double t) {
    using fp::real;
    const real t1 = t;
    const real t2 = t1 * t;
    const real t3 = t2 * t;
    const real t4 = t3 * t;
    const real t5 = t4 * t;
    const real t6 = t5 * t;
    const real sum = 998.133183985715L + 0.352945105609251L * t1 - 0.0181674359346289L * t2 +
                     1.88127267485072e-4L * t3 - 1.08501254754423e-6L * t4 + 2.97684612030058e-9L * t5 -
                     3.12715481815511e-12L * t6;
    return fp::Store(fp::Div(sum, 1000.0L));
}

namespace detail {

// One run from its inputs: the values that stay the same through it, kept in
// extended precision, and its state.
class Pass {
public:
    // Hoists the constant values and sets up the state before the first step.
    explicit Pass(const Inputs& in);

    template <LossForm form, typename OnStep, typename Proceed>
    Stop Advance(OnStep& onStep, Proceed& proceed);

    const State& state() const { return s_; }

private:
    // The heat lost in one step at water temperature tw, kJ, by the formula
    // as written; sets alphaE and R.
    double StepLoss(double tw);
    // The same heat in its fast form for the inner loop.
    inline double FastLoss(double tw) const;
    // The source heat of the first step, at tw0.
    double InitialSourceHeat() const;

    const Inputs in_;
    State s_;
    fp::real airAbsoluteTimesD_ = 0;  // K = (ta + 273.15) * D
    fp::real innerTerms_ = 0;         // wall, inner film and insulation parts of R
    fp::real outerDiameter_ = 0;      // D + diz
    fp::real lossFactor_ = 0;         // 0.001 * dtau
    fp::real area_ = 0;               // two end discs and the mantle, m2
    fp::real perimeter_ = 0;          // (D + diz) * 3.1415
    fp::real filmFactor_ = 0;         // 5 * 3.1415 * (D + diz) / K^0.25
    fp::real lossGain_ = 0;           // 0.001 * dtau * area / perimeter
    fp::real sourceFactor_ = 0;       // m * 4.19
    double electricHeat_ = 0;         // Q * dtau
    double limit_ = 0;                // N as a double
};

double Pass::FastLoss(double tw) const {
    // With u = alpha_e * 3.1415 * (D + diz) the outer film resistance is 1/u
    // and R = inner + 1/u, so the loss 0.001 * dtau * (1/R) * area * (tw - ta)
    // / perimeter is (tw - ta) * lossGain * u / (inner * u + 1): one division
    // instead of four; and alpha_e = 5 * (|tw - ta| / K)^0.25 gives
    // u = |tw - ta|^0.25 * filmFactor. The loss of a step is some millionths
    // of the heat the tank holds, so the last bits in which this form differs
    // from the textbook one never reach the stored temperature. Water at the
    // air temperature gives u = 0: no loss. The roots never see a negative
    // number; a NaN passes through them to the check of the store.
    const fp::real difference = static_cast<fp::real>(tw) - in_.ta;
    const fp::real u = __builtin_sqrtl(__builtin_sqrtl(__builtin_fabsl(difference))) * filmFactor_;
    return fp::Store(fp::Div(difference * lossGain_ * u, innerTerms_ * u + 1.0L));
}

template <LossForm form, typename OnStep, typename Proceed>
Stop Pass::Advance(OnStep& onStep, Proceed& proceed) {
    using fp::real;
    const bool target = in_.criterion == Criterion::TargetTemperature;
    for (int untilPoll = kPollSteps;;) {
        s_.t = fp::Store(static_cast<real>(s_.t) + in_.dtau);
        // The density of the step is that of the water before it.
        s_.rho = WaterDensityInline(s_.tw);
        // Heat capacity of the content, kJ/K.
        const real C = static_cast<real>(in_.V) * s_.rho * kWaterHeat;
        s_.tw = fp::Store(fp::Div(static_cast<real>(s_.Es) - s_.El + s_.tw * C, C));
        if (in_.losses) s_.El = form == LossForm::Textbook ? StepLoss(s_.tw) : FastLoss(s_.tw);
        if (in_.electricHeating) {
            s_.Es = electricHeat_;
        } else if (in_.waterHeating) {
            s_.Es = fp::Store((static_cast<real>(in_.tm) - s_.tw) * sourceFactor_ * in_.dtau);
        }
        onStep(static_cast<const State&>(s_));
        // The target is tested first: reached in the step that reaches the
        // limit, it counts as reached.
        const bool reached = target ? s_.tw >= in_.tk : s_.t >= in_.tauk;
        if (!reached && limit_ > s_.t) {
            if (--untilPoll != 0) continue;
            untilPoll = kPollSteps;
            if (proceed(s_.t)) continue;
            return Stop::Cancelled;
        }
        // The film coefficients and the resistance at the final temperature.
        if (in_.losses && form == LossForm::Fast) StepLoss(s_.tw);
        if (target) return reached ? Stop::TargetReached : Stop::TargetMissed;
        return reached ? Stop::TimeElapsed : Stop::LimitReached;
    }
}

}  // namespace detail

template <LossForm form, typename OnStep, typename Proceed>
Result Simulate(const Inputs& in, OnStep&& onStep, Proceed&& proceed) {
    detail::Pass pass(in);
    const Stop stop = pass.Advance<form>(onStep, proceed);
    return {stop, pass.state()};
}

}  // namespace vimtal::dhwsim
