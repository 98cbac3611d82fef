#include "CircuitEditing.h"

#include "RecordMapping.h"

#include "core/FloatingPoint.h"
#include "core/Numbers.h"
#include "core/Required.h"

#include <stdexcept>

namespace vimtal::pressureloss {

ConfirmOutcome ConfirmFitting(Circuit& circuit, FittingCalculator& calculator, FittingInputs in,
                              const std::string& totalField, int editedIndex, MessageSink& messages) {
    ConfirmOutcome outcome;
    const FittingKind kind = circuit.currentKind.value();
    const bool lengthMissing = in.length.empty() && !HasNoLength(kind);
    const bool flowMissing = in.flow.empty() || in.flow == "0";
    // Once the length and the flow are given, an empty additional loss is
    // none at all, and the editor shows its "0" (also when the roughness
    // is found missing next).
    if (!lengthMissing && !flowMissing && in.extraLoss.empty()) {
        in.extraLoss = "0";
        outcome.extraLossDefaulted = true;
    }
    if (const auto missing = FirstMissing({
            {lengthMissing, "Podaj długość kształtki"},
            {flowMissing, "Podaj przepływ powietrza przez kształtkę"},
            {in.roughness.empty(), "Współczynnik szorstkości materiału musi być większy od zera"},
        })) {
        messages.ShowMessage(*missing, kEditorTitle);
        return outcome;
    }
    const bool editing = circuit.editFlag;
    if (!editing && circuit.Full()) {
        messages.ShowMessage(FullCircuitMessage(), kEditorTitle);
        return outcome;
    }
    std::string editedTotal;
    if (editing) {
        if (editedIndex < 0 || editedIndex >= circuit.Count()) {
            throw std::out_of_range("the edited fitting is not in the circuit");
        }
        editedTotal = circuit.Slot(editedIndex).Get(Field::TotalLoss);
    }

    outcome.result =
        calculator.LossStep(kind, in, totalField, editing ? &editedTotal : nullptr, circuit.runningTotal);
    FittingRecord record = MakeRecord(kind, in, outcome.result);
    if (editing) {
        circuit.Replace(editedIndex, std::move(record), outcome.result.notes);
        outcome.index = editedIndex;
    } else {
        outcome.index = circuit.Append(std::move(record), outcome.result.notes);
        outcome.appended = true;
    }
    circuit.editFlag = false;
    circuit.runningTotal = outcome.result.runningTotal;
    outcome.stored = true;
    return outcome;
}

std::string DeleteFitting(Circuit& circuit, int index, const std::string& totalField) {
    const double total = StrToFloat(totalField);
    const double removed = StrToFloat(circuit.FieldText(index, Field::TotalLoss));
    const double left = fp::Store(static_cast<fp::real>(total) - removed);
    const std::string text = TotalText(left);
    circuit.Delete(index);
    circuit.runningTotal = RoundTo(left, -2);
    return text;
}

}  // namespace vimtal::pressureloss
