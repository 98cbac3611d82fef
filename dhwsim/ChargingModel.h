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
// The model keeps its inputs and the state of the last run between runs, as
// the window and the charts share them: the window's "Symulacja" runs it
// once, each chart paint runs it twice (once to scale the axes, once to draw)
// through the same loop, Advance(), with an observer that sees every step.
//
// Units: temperatures in degrees C, lengths in m (the insulation and wall
// thickness are typed in mm), power in kW, heat per step in kJ, the time and
// the time step in s, volume in dm3 (litres), density in kg/dm3, mass flow in
// kg/s, the draw in l/s.
#pragma once

#include "core/FloatingPoint.h"
#include "core/Messages.h"
#include "core/Notes.h"

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

// The texts and choices of the simulation window, as it shows them.
struct WindowInputs {
    std::string initialTemperature = "10";  // tw0, Edit1
    std::string height;                      // H, m, Edit2
    std::string diameter;                    // D, m, Edit12
    std::string wallThickness = "2";         // mm, Edit25 (read, not used)
    std::string insulation = "90";           // diz, mm, Edit13
    std::string insulationConductivity = "0,025";  // lambda_iz, W/(m K), Edit14
    std::string wallConductivity = "60";           // lambda_cwu, W/(m K), Edit15
    std::string airTemperature = "20";       // ta, Edit17
    std::string timeStep = "1";              // dtau, s, Edit3
    std::string supplyTemperature = "80";    // tz, Edit4
    std::string returnTemperature = "80";    // tp, Edit5
    std::string power;                       // Q, kW, Edit9
    std::string massFlow;                    // m, kg/s, Edit6
    std::string targetTemperature;           // tk, Edit7
    std::string targetTime;                  // tau_k, s, Edit10

    bool waterHeating = true;                 // CheckBox1
    bool electricHeating = false;             // CheckBox2
    bool powerEntrySelected = true;           // RadioButton1 (else RadioButton2, mass flow)
    bool massFlowBoxEnabled = false;          // Edit6 enabled: m is read, Q kept
    bool targetTemperatureSelected = true;    // RadioButton3 (else RadioButton4, target time)
    bool targetTemperatureBoxEnabled = true;  // Edit7 enabled: tk is read, else tau_k
};

// The settings window.
struct SimulationSettings {
    std::string limit = "10000000";  // N, s of simulated time (an integer)
    bool losses = true;              // include the heat lost to the room
};

enum class Criterion { TargetTemperature, TargetTime };

// Which checks and reads a preparation makes: the window's run checks every
// box and reads the wall thickness; a chart paint leaves out the emptiness
// checks of the power and mass-flow boxes and does not read the wall.
enum class Purpose { Run, Chart };

// Every converted input and the values derived from them.
struct Inputs {
    double tw0 = 0, H = 0, D = 0, V = 0, diz = 0, wall = 0;
    double lambdaInsulation = 0, lambdaWall = 0, ta = 0, dtau = 0;
    double tz = 0, tp = 0, tm = 0;
    double Q = 0, m = 0;
    double tk = 0, tauk = 0;  // the last target temperature and time read
    std::int32_t N = 0;
    bool losses = true;
    bool waterHeating = true;
    bool electricHeating = false;
    Criterion criterion = Criterion::TargetTemperature;
};

// The state of a run, after its last step.
struct State {
    double t = 0;       // elapsed time, s
    double tw = 0;      // water temperature, degrees C
    double rho = 0;     // density used in the last step, kg/dm3
    double Es = 0;      // heat the source delivers in the next step, kJ
    double El = 0;      // heat lost in the next step, kJ (negative: a gain)
    // The film coefficients and the resistance of the temperature at the
    // start and at the end of a pass (the steps between use their fast form).
    double alphaE = 0;  // outer convection coefficient, W/(m2 K)
    double alphaI = 0;  // inner convection coefficient, W/(m2 K)
    double R = 0;       // resistance per metre of the equivalent pipe, m K/W
    double flow = 0;    // constant draw of the last result, l/s
};

enum class Stop {
    TargetReached,  // tw >= tk
    TargetMissed,   // the limit came first
    TimeElapsed,    // t >= tau_k
    LimitReached,   // target time not reached within the limit
};

// Texts for the result boxes; nullopt leaves a box as it is.
struct ResultTexts {
    std::optional<std::string> time;         // Edit8, s
    std::optional<std::string> minutes;      // Edit20
    std::optional<std::string> hours;        // Edit21
    std::optional<std::string> temperature;  // Edit11
    std::optional<std::string> draw;         // Edit18, l/s
};

struct RunReport {
    bool prepared = false;  // false: a check refused the inputs (its message was shown)
    Stop stop = Stop::TargetMissed;
    ResultTexts results;
    bool openChart = false;  // the chart "tw=f(t)" follows a run that did not miss
    Notes notes;             // the assumptions the inputs leave (ChargingModel::AssumptionNotes)
};

class ChargingModel {
public:
    // One press of "Symulacja": prepare, run to a stop rule, report. The
    // messages of refused inputs and of a missed target go to `messages`.
    // Conversion and floating-point errors are thrown (core/Errors.h).
    RunReport Run(const WindowInputs& window, const SimulationSettings& settings, MessageSink& messages);

    // Reads, checks and converts the inputs and sets up the first step. Each
    // converted value is stored as soon as it is read, so an error part-way
    // leaves the earlier ones stored. Returns false (after one message) when
    // a check refuses the inputs.
    bool Prepare(const WindowInputs& window, const SimulationSettings& settings, Purpose purpose,
                 MessageSink& messages);

    // The assumptions the prepared inputs leave: a water temperature (tw0,
    // the target tk, and with water heating tz and tp) outside 0-100 degC,
    // where the water-density law holds; a supply colder than its return;
    // a target time shorter than one time step (a run always makes one).
    Notes AssumptionNotes() const;

    // Starts a new pass from the prepared inputs: t = 0, tw = tw0 and the heat
    // of the first step.
    void Restart();

    // Steps until a stop rule ends the pass; onStep(state) runs after every
    // step (the chart draws from it).
    template <typename Observer>
    Stop Advance(Observer&& onStep);
    Stop Advance() {
        return Advance([](const State&) {});
    }

    // The hot-water flow the nominal power, less the loss, heats from tw0 to
    // the final temperature, l/s; nullopt when the temperature did not change.
    std::optional<double> Draw();

    // The result texts of a pass that ended with `stop`, as the window's run
    // writes them (a missed target writes nothing).
    ResultTexts RunResults(Stop stop);
    // The result texts of a chart's first pass: written whatever the stop.
    ResultTexts ChartResults();

    // The window's exchange between the source power and the mass flow of
    // heating water, m = Q / ((tm - tw0) * 4.19). The texts are those of the
    // initial temperature, supply and return boxes.
    struct SourceTexts {
        std::string initialTemperature, supplyTemperature, returnTemperature;
    };
    // Power to flow: converts the power text (or, when `power` is null, uses
    // the stored power), stores Q and m and returns the text for the mass-flow
    // box (7 decimals). With `ceilingTest`, a target temperature of the last
    // run above the mean source temperature is refused with a message:
    // nullopt, the box and the stored flow stay as they are.
    //
    // Heating water can only deliver a power to a tank colder than the mean
    // of its supply and return: at tm = tw0 no flow gives the power, and at
    // tm < tw0 the flow would come out negative and heat a hot tank without
    // bound. Such a source is refused with a message, the flow stored before
    // (derived for another initial temperature) is forgotten, and the
    // returned text is empty: the mass-flow box is emptied.
    std::optional<std::string> PowerToFlow(const SourceTexts& texts, const std::string* power, bool ceilingTest,
                                           MessageSink& messages);
    // Flow to power: stores m and Q and returns the text for the power box
    // (2 decimals). A flow given this way is known, whatever the
    // temperatures: a source colder than the tank cools it towards tm, and
    // the power comes out negative.
    std::string FlowToPower(const SourceTexts& texts, const std::string& massFlow);
    // True when the mean source temperature of the last exchange is above
    // the initial water temperature (a power can then be turned into a flow).
    bool SourceAboveWater() const { return in_.tm > in_.tw0; }
    // True while the stored mass flow belongs to the current inputs: derived
    // from a power or given as a flow, and not forgotten since.
    bool FlowKnown() const { return flowKnown_; }

    const Inputs& inputs() const { return in_; }
    const State& state() const { return s_; }

    // Tests only: evaluate the loss of every step by the textbook formula
    // instead of its fast form (the two give the same runs).
    void UseTextbookLoss(bool on) { textbookLoss_ = on; }

private:
    // The heat lost in one step at water temperature tw, kJ, by the formula
    // as written; sets alphaE and R.
    double StepLoss(double tw);
    // The same heat in its fast form for the inner loop (see Hoist).
    inline double FastLoss(double tw) const;
    // The source heat of the first step, at tw0.
    double InitialSourceHeat() const;
    void Hoist();

    Inputs in_;
    State s_;
    bool textbookLoss_ = false;
    bool flowKnown_ = false;

    // Values that stay the same through a run, kept in extended precision.
    struct Hoisted {
        fp::real airAbsoluteTimesD = 0;  // K = (ta + 273.15) * D
        fp::real innerTerms = 0;         // wall, inner film and insulation parts of R
        fp::real outerDiameter = 0;      // D + diz
        fp::real lossFactor = 0;         // 0.001 * dtau
        fp::real area = 0;               // two end discs and the mantle, m2
        fp::real perimeter = 0;          // (D + diz) * 3.1415
        fp::real filmFactor = 0;         // 5 * 3.1415 * (D + diz) / K^0.25
        fp::real lossGain = 0;           // 0.001 * dtau * area / perimeter
        fp::real sourceFactor = 0;       // m * 4.19
        double electricHeat = 0;         // Q * dtau
        double limit = 0;                // N as a double
    } h_;
};

// ---------------------------------------------------------------------------
// The inner loop, inline: up to ten million steps per pass.

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

double ChargingModel::FastLoss(double tw) const {
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
    const fp::real u = __builtin_sqrtl(__builtin_sqrtl(__builtin_fabsl(difference))) * h_.filmFactor;
    return fp::Store(fp::Div(difference * h_.lossGain * u, h_.innerTerms * u + 1.0L));
}

template <typename Observer>
Stop ChargingModel::Advance(Observer&& onStep) {
    using fp::real;
    const bool target = in_.criterion == Criterion::TargetTemperature;
    for (;;) {
        s_.t = fp::Store(static_cast<real>(s_.t) + in_.dtau);
        // The density of the step is that of the water before it.
        s_.rho = WaterDensityInline(s_.tw);
        // Heat capacity of the content, kJ/K.
        const real C = static_cast<real>(in_.V) * s_.rho * kWaterHeat;
        s_.tw = fp::Store(fp::Div(static_cast<real>(s_.Es) - s_.El + s_.tw * C, C));
        if (in_.losses) s_.El = textbookLoss_ ? StepLoss(s_.tw) : FastLoss(s_.tw);
        if (in_.electricHeating) {
            s_.Es = h_.electricHeat;
        } else if (in_.waterHeating) {
            s_.Es = fp::Store((static_cast<real>(in_.tm) - s_.tw) * h_.sourceFactor * in_.dtau);
        }
        onStep(static_cast<const State&>(s_));
        // The target is tested first: reached in the step that reaches the
        // limit, it counts as reached.
        const bool reached = target ? s_.tw >= in_.tk : s_.t >= in_.tauk;
        if (!reached && h_.limit > s_.t) continue;
        // The film coefficients and the resistance at the final temperature.
        if (in_.losses && !textbookLoss_) StepLoss(s_.tw);
        if (target) return reached ? Stop::TargetReached : Stop::TargetMissed;
        return reached ? Stop::TimeElapsed : Stop::LimitReached;
    }
}

}  // namespace vimtal::dhwsim
