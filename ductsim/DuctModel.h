// Cooling (or warming) of the air in a ventilation duct.
//
// The model follows one thin slice of air as it travels with the mean velocity
// from the inlet to the outlet of a duct that runs through surroundings at
// another temperature. The slice spends the residence time L/w in the duct;
// the run cuts that time into equal steps dtau, and at every step the slice
// exchanges heat with the surrounding air through the duct wall and its
// insulation. Convective coefficients follow Schack's relations: forced
// convection inside, free convection outside. The slice's temperature is
// uniform, the surroundings keep a constant temperature, radiation is left out.
//
// A request runs in stages, in the order the windows show the results:
//   1. MissingInputMessage - the first empty field ends the request;
//   2. ConvertInputs       - texts to numbers (ConversionError);
//   3. DuctSimulation      - refuses an unusable time step, derives the
//                            geometry (w, tauL, ...);
//   4. OutsideAir          - rho_e, eta_e at te;
//   5. InsideAir           - rho_i, eta_i, Re at ti; Re < 2320 stops here;
//   6. Run                 - the time steps, with an optional observer.
// RunSimulation strings them together and reports each stage to a listener
// (the window writes the air properties, the chart also draws its frame).
//
// Units: temperatures degC, humidities in %, pressure Pa, flow m3/h, lengths
// and sizes in metres, conductivities W/(m K), time s.
#pragma once

#include "core/Messages.h"
#include "core/Notes.h"
#include "core/RunControl.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vimtal::ductsim {

// The message that ends a request whose flow is not turbulent (title kInfoTitle).
inline constexpr const char* kLaminarMessage = "Przepływ w przewodzie jest laminarny - Obliczenia przerwane";

// Viscosity reference temperatures of Sutherland's law (KinematicViscosity,
// core/AmbientAir.h): the simulation window uses 273.15 K, the chart 273 K
// (the value of the ambient-air settings), so the two show slightly different
// viscosities and Reynolds numbers.
inline constexpr double kWindowT0 = 273.15;
inline constexpr double kChartT0 = 273.0;

enum class DuctShape { Rectangular, Round };

// The input fields as typed. For a round duct `sideA` holds the diameter D
// (the window shows A and D in the same field) and `sideB` is not used.
// `rectangular` is the shape choice: true for a rectangular duct, false for
// a round one.
struct InputTexts {
    std::string ti;        // initial air temperature in the duct, degC
    std::string te;        // temperature of the air around the duct, degC
    std::string phiI;      // relative humidity inside, %
    std::string phiE;      // relative humidity outside, %
    std::string pb;        // barometric pressure, Pa
    std::string flow;      // volume flow V, m3/h
    std::string lambda1;   // conductivity of the wall, W/(m K)
    std::string delta1;    // wall thickness, m
    std::string lambda2;   // conductivity of the insulation, W/(m K)
    std::string delta2;    // insulation thickness, m
    bool rectangular = true;
    std::string length;    // L, m
    std::string sideA;     // A, or D for a round duct, m
    std::string sideB;     // B, m
    std::string timeStep;  // dtau, s
};

// The texts the window starts with (flow, length and sizes empty).
InputTexts DefaultInputTexts();

struct Inputs {
    double ti = 0, te = 0, phiI = 0, phiE = 0, pb = 0, flow = 0;
    double lambda1 = 0, delta1 = 0, lambda2 = 0, delta2 = 0;
    DuctShape shape = DuctShape::Rectangular;
    double length = 0, sideA = 0, sideB = 0, timeStep = 0;
};

// The message of the first empty field, in the fixed order of the checks,
// or nothing when every required field holds a text.
std::optional<std::string> MissingInputMessage(const InputTexts& texts);

// Converts with the locale's separator, the sizes first and then the rest in
// the order of the checks; a text that is not a number raises ConversionError.
Inputs ConvertInputs(const InputTexts& texts);

// Quantities derived once per run.
struct Geometry {
    double flowRate = 0;     // V / 3600, m3/s
    double area = 0;         // cross-section F, m2
    double hydraulicDiameter = 0;  // dz, m
    double velocity = 0;     // mean velocity w, m/s
    double sliceLength = 0;  // dx = w dtau, m
    double residenceTime = 0;  // tauL = L / w, s
    double wallArea = 0;     // Fz = inner perimeter * dx (rectangular only), m2
    double sliceVolume = 0;  // Vs, m3
};

struct AirState {
    double density = 0;    // kg/m3
    double viscosity = 0;  // m2/s
};

struct InsideStart {
    double density = 0;    // rho_i at ti
    double viscosity = 0;  // eta_i at ti
    double reynolds = 0;   // Re = w dz / eta_i
};

// Outcome of the time steps.
struct RunResult {
    double totalTime = 0;        // tau_c, s
    double finalTemperature = 0; // tk, degC
    double alphaInside = 0;      // last step, W/(m2 K)
    double alphaOutside = 0;     // last step, W/(m2 K)
    double transmittance = 0;    // U of the last step: W/(m2 K), or W/(m K) for a round duct
    double heatLoss = 0;         // of the air stream, W
    double lastDensity = 0;      // rho_i of the last step
    std::int64_t steps = 0;
};

// Receives the start point (0, ti) and then (tau, t) after every step.
using StepObserver = std::function<void(double tau, double t)>;

class DuctSimulation {
public:
    // Refuses (NoticeError, "Vimtal info") a time step of zero or less and a
    // run of more than kMaxSteps steps; raises FloatingPointError for a zero
    // flow or cross-section.
    DuctSimulation(const Inputs& inputs, double T0);

    const Inputs& inputs() const { return in_; }
    const Geometry& geometry() const { return geo_; }

    // Density and viscosity of the surrounding air.
    AirState OutsideAir() const;
    // Density, viscosity and Reynolds number of the air entering the duct.
    InsideStart InsideAir() const;
    // Re equal to 2320 counts as turbulent.
    static bool IsLaminar(double reynolds) { return reynolds < 2320.0; }

    // The whole run from tau = 0, t = ti until tau >= tauL (at least one
    // step). Every kStepsBetweenChecks steps `watch` is told tau against
    // tauL (a stop request throws Cancelled).
    RunResult Run(const StepObserver& observer = {}, const RunWatch& watch = {}) const;

private:
    Inputs in_;
    double T0_;
    Geometry geo_;
};

// Results of a completed run, as the window shows them.
struct Results {
    AirState outside;
    InsideStart inside;
    double velocity = 0;
    RunResult run;
    Notes notes;  // the assumptions the inputs leave (AssumptionNotes)
};

// Schack's equation for forced convection inside the duct holds for a duct
// at least a hundred (equivalent) diameters long: a note when L < 100 d.
Notes AssumptionNotes(const Inputs& inputs, const Geometry& geometry);

// Texts of the results, each rounded for display.
std::string DensityText(double rho);         // 0.01 kg/m3
std::string ViscosityText(double eta);       // 1e-9 m2/s
std::string ReynoldsText(double re);         // 0.01
std::string TimeText(double tau);            // 0.01 s
std::string VelocityText(double w);          // 0.01 m/s
std::string TemperatureText(double t);       // 0.01 degC
std::string AlphaText(double alpha);         // 0.01 W/(m2 K)
std::string TransmittanceText(double u);     // 0.001
std::string HeatLossText(double q);          // 0.01 W

// What the simulation window is told as the request goes on.
class SimulationListener {
public:
    virtual ~SimulationListener() = default;
    virtual void OutsideAirKnown(const AirState& /*outside*/) {}
    virtual void InsideAirKnown(const InsideStart& /*inside*/) {}
    // The flow is turbulent and the time steps begin (the long part).
    virtual void RunStarting() {}
};

// A request up to its time steps: validation (message and nothing else),
// conversion, the outside and inside air (reported to the listener as soon
// as known) and the laminar test (message). Nothing when a message ended it;
// otherwise the simulation to run and the results known so far (the air and
// the velocity). Errors propagate.
struct Request {
    DuctSimulation simulation;
    Results results;
};
std::optional<Request> PrepareRequest(const InputTexts& texts, double T0, MessageSink& messages,
                                      SimulationListener& listener);

// A whole request: validation (message and nothing else), conversion, the
// outside and inside air (reported to the listener as soon as known), the
// laminar test (message) and the run, watched by `watch`. Returns the
// results, or nothing when a message ended the request. Errors propagate.
std::optional<Results> RunSimulation(const InputTexts& texts, double T0, MessageSink& messages,
                                     SimulationListener& listener, const StepObserver& observer = {},
                                     const RunWatch& watch = {});

}  // namespace vimtal::ductsim
