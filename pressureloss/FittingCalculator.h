// The two steps of the calculation of one fitting.
//
// The velocity step runs whenever a flow or a size changes: it computes the
// sections and the air velocities (and keeps the additional loss and its
// coefficient in step). The loss step runs when the user confirms the
// fitting: the Reynolds number, the Colebrook-White friction factor, the
// local-loss coefficient of the fitting's kind, the friction, local and total
// losses and the circuit's new running total.
//
// The air's density and kinematic viscosity are those of the program's
// ambient air as the settings window shows them while the calculator is open.
#pragma once

#include "FittingInputs.h"
#include "FittingKinds.h"

#include "core/AmbientAir.h"
#include "core/Notes.h"

#include <optional>
#include <string>

namespace vimtal::pressureloss {

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
    // The assumptions this fitting's figures leave: a loss table read beyond
    // its breakpoints, the Colebrook-White law below the laminar limit.
    Notes notes;
};

// The total field's text for a total [Pa]: 2 decimals.
std::string TotalText(double total);

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
    // step: half the diameter of a round elbow, three quarters of side B of
    // a rectangular one; 0 for the other kinds.
    double RadiusBoundMm(FittingKind kind) const;

    // The loss step. `totalField` is the circuit window's total text;
    // `editedTotalLoss` is the stored TotalLoss of the fitting being
    // replaced (edit mode) or nullptr; `runningTotal` is the circuit's total
    // used when the total field is empty.
    LossResult LossStep(FittingKind kind, const FittingInputs& inputs, const std::string& totalField,
                        const std::string* editedTotalLoss, double runningTotal);

    // The figures of the last steps.
    const FittingValues& Values() const { return values_; }

private:
    const AmbientAir* air_;
    FittingValues values_;
    // The flows as last typed [m3/h]; an empty field keeps them.
    double typedFlow_ = 0.0, typedBranchFlow_ = 0.0;
};

}  // namespace vimtal::pressureloss
