// Friction and local loss of one fitting of the circuit.
//
// Two steps: the velocity step, run whenever a flow or a size changes, which
// only computes the air velocities (and keeps the additional loss and its
// coefficient in step); and the loss step, run when the user confirms the
// fitting, which computes the Reynolds number, the Colebrook-White friction
// factor, the local-loss coefficient of the fitting's kind, the friction,
// local and total losses and the circuit's new running total.
//
// Every input is the text of an editor control; a typed number may use
// either decimal separator. Sizes are typed in mm and used in m. Round
// fittings take the flow in m3/h, rectangular ones in m3/s. The air's density
// and kinematic viscosity are the shared AmbientDensity and AmbientViscosity
// (the figures the settings window shows while the calculator is open),
// read from the program's ambient air.
#pragma once

#include "FittingKinds.h"
#include "FittingRecord.h"

#include "core/AmbientAir.h"
#include "core/Messages.h"

#include <optional>
#include <string>

namespace vimtal::pressureloss {

// The texts of the fitting editor's controls.
struct FittingInputs {
    std::string name;            // "NAZWA"
    std::string typeCode;        // "TYP"
    std::string length;          // L [mm]
    std::string diameter1;       // round diameter 1 [mm]
    std::string diameter2;       // round diameter 2 [mm]
    std::string sideA, sideB;    // rectangular section [mm]
    std::string sideC, sideD;    // second rectangular section [mm]
    std::string angle;           // alpha [deg]
    std::string radius;          // elbow radius [mm]
    std::string offsetE;         // offset dimension e [mm]
    std::string roundElbowType;  // "ŁUK GŁADKI", "KOLANO", "5-SEGMENTÓW", ...
    std::string rectElbowType;   // "ŁUK" or "KOLANO"
    std::string teePath;         // "PRZELOT" or "ODGAŁĘŹIENIE"
    std::string teeFlow;         // "ROZPŁYW" or "ŁĄCZENIE STRUG"
    std::string flow;            // V [m3/h]
    std::string branchFlow;      // Vo [m3/h]
    std::string extraLoss;       // additional loss dpp [Pa]
    std::string extraZeta;       // additional coefficient [-]
    bool extraLossChosen = true; // the additional loss is typed as a pressure (else as a coefficient)
    std::string material;        // "PVC", "Stal ocynk", "Inny"
    std::string roughness;       // k [mm]
};

// What the velocity step shows in the editor.
struct VelocityDisplay {
    std::string w1;                         // rounded: 3 decimals round, 2 rectangular
    std::optional<std::string> w2;          // kinds with a second section
    std::optional<std::string> extraZeta;   // new coefficient text (pressure typed)
    std::optional<std::string> extraLoss;   // new pressure text (coefficient typed)
};

// Every value the loss step produces, with the texts stored in the record.
struct LossResult {
    VelocityDisplay display;
    std::string velocity1;       // w1, 3 decimals
    std::string velocity2;       // w2, 3 decimals (second-section kinds, else empty)
    std::string extraLoss;       // dpp, 2 decimals
    std::string zeta;            // 3 decimals
    std::string frictionLoss;    // dpl, 2 decimals
    std::string localLoss;       // dpm, 2 decimals
    std::string totalLoss;       // dpc, 2 decimals
    std::string equivDiameter;   // d [mm], 1 decimal
    std::string equivDiameter2;  // d2 [mm], 1 decimal (second-section kinds, else empty)
    double runningTotal = 0.0;   // the circuit's new total [Pa]
    std::string totalText;       // its text for the total field, 2 decimals
};

// The Colebrook-White friction factor found by the scan.
struct FrictionFactorResult {
    double lambda = 0.0;
    int steps = 0;
};

// The scan stops here: a friction factor of 1 is ten times that of the
// roughest duct in turbulent flow. Beyond it lies a Reynolds number too small
// for the Colebrook-White law, or a roughness larger than a quarter of the
// diameter, where the law has no solution at all.
inline constexpr int kMaxFrictionSteps = 100000;

// lambda := lambda + 0.00001 until 1/sqrt(lambda) <= -2 log10(2.51/(Re sqrt(lambda)) + k/(3.71 d)).
// k and d in m. Raises NoticeError ("BRENTAX info") when the scan reaches
// kMaxFrictionSteps without crossing.
FrictionFactorResult FrictionFactor(double reynolds, double roughness, double diameter);

// Texts a typed number may take in the calculator: either separator.
double ToNumber(const std::string& text);

class FittingCalculator {
public:
    // The air's density and viscosity are read from `air` at each step.
    explicit FittingCalculator(const AmbientAir& air) : air_(&air) {}

    // Velocities of `kind` from the inputs' texts. A flow whose text is empty
    // keeps the value of its previous reading. With `withExtraPair`, and a
    // flow that is not zero, the field of the additional-loss pair that is
    // not typed into is brought into step with the typed one.
    VelocityDisplay VelocityStep(FittingKind kind, const FittingInputs& inputs, bool withExtraPair = true);

    // The velocity step as the editor runs it while the user types: nothing
    // while a size the kind needs is empty (the user is retyping it; the
    // confirmation refuses an empty size).
    std::optional<VelocityDisplay> LiveVelocityStep(FittingKind kind, const FittingInputs& inputs);

    // The additional-loss pair: the coefficient (2 decimals) of a typed
    // pressure, and the pressure (1 decimal) of a typed coefficient, at the
    // dynamic pressure of the last velocity step. Nothing while the flow is
    // zero or the text is empty (the user is still typing).
    std::optional<std::string> ExtraZetaFor(const std::string& extraLossText) const;
    std::optional<std::string> ExtraLossFor(const std::string& extraZetaText) const;

    // Smallest allowed elbow radius [mm] from the sizes of the last velocity
    // step: half the diameter of a round elbow (kind 2), three quarters of
    // side B of a rectangular one (kind 11).
    double RadiusBoundMm(FittingKind kind) const;

    // The loss step. `totalField` is the circuit window's total text;
    // `editedTotalLoss` is the stored TotalLoss of the fitting being
    // replaced (edit mode) or nullptr; `runningTotal` is the circuit's total
    // used when the total field is empty.
    LossResult LossStep(FittingKind kind, const FittingInputs& inputs, const std::string& totalField,
                        const std::string* editedTotalLoss, double runningTotal);

    // The local-loss coefficient of `kind` at the values of the last steps
    // (the loss step's inputs must have been read).
    double ZetaOf(FittingKind kind, const FittingInputs& inputs) const;

    // Values of the last steps (SI units; flows as used: m3/h round, m3/s
    // rectangular).
    double flow = 0.0, branchFlow = 0.0;    // V, Vo
    double d = 0.0, d2 = 0.0;               // (equivalent) diameters [m]
    double a = 0.0, b = 0.0, c = 0.0, dd = 0.0;  // sides A, B, C, D [m]
    double w1 = 0.0, w2 = 0.0;              // velocities [m/s]
    double length = 0.0, roughness = 0.0, radius = 0.0, offset = 0.0;  // [m]
    double angle = 0.0;                     // [deg]
    double extraLoss = 0.0;                 // dpp [Pa]
    double reynolds = 0.0, lambda = 0.0, zeta = 0.0;
    double frictionLoss = 0.0, localLoss = 0.0, totalLoss = 0.0;
    int frictionSteps = 0;

private:
    const AmbientAir* air_;
    // The flows as last typed [m3/h]; an empty field keeps them.
    double typedFlow_ = 0.0, typedBranchFlow_ = 0.0;
};

// The record a confirmed fitting is stored as: typed texts from the
// controls, computed values from the loss step.
FittingRecord MakeRecord(FittingKind kind, const FittingInputs& inputs, const LossResult& result);

// The editor's controls filled from a stored record (edit mode): every text
// as stored. The computed velocities come along for their read-only fields.
struct RecordTexts {
    FittingInputs inputs;
    std::string velocity1;
    std::string velocity2;
};
RecordTexts TextsOfRecord(const FittingRecord& record);

// The confirmation of the fitting editor ("Dodaj kształtkę").
struct ConfirmOutcome {
    bool stored = false;              // false: a message said what is missing
    bool extraLossDefaulted = false;  // the empty additional loss now reads "0"
    int index = -1;                   // slot written
    bool appended = false;            // a new fitting (else an edited one)
    LossResult result;
};

// Validates the inputs in the editor's order (one message, titled
// "BRENTAX info", for the first missing field), runs the loss step of the
// circuit's current kind, stores the record (replacing the fitting at
// `editedIndex` when the edit flag is set, appending otherwise), clears the
// edit flag and sets the running total. Nothing is stored when a message is
// shown or an error is raised.
ConfirmOutcome ConfirmFitting(Circuit& circuit, FittingCalculator& calculator, FittingInputs inputs,
                              const std::string& totalField, int editedIndex, MessageSink& messages);

// Removal of the fitting at `index` from the circuit window: the total
// field's text less the fitting's total loss (both with the locale's
// conversion), rounded to 0.01, is the new total text. A row without a
// fitting, or a total that is not a number, raises the conversion error
// before anything changes.
std::string DeleteFitting(Circuit& circuit, int index, const std::string& totalField);

// The total field's text for a total [Pa]: 2 decimals.
std::string TotalText(double total);

}  // namespace vimtal::pressureloss
