// The changes the windows make to the circuit: a confirmed fitting stored
// (appended, or over the edited one) with the circuit's new total, and a
// fitting removed with its share of the total.
#pragma once

#include "FittingCalculator.h"
#include "FittingInputs.h"
#include "FittingRecord.h"

#include "core/Messages.h"

#include <string>

namespace vimtal::pressureloss {

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

}  // namespace vimtal::pressureloss
