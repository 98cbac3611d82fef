// A circuit of all 101 fittings the table holds, the 18 kinds in turn from
// their typical texts, each computed by the calculator with the running
// total as the editor computes it: the full circuit of the report tests and
// benchmarks.
#pragma once

#include "TypicalInputs.h"

#include "pressureloss/FittingCalculator.h"
#include "pressureloss/FittingRecord.h"
#include "pressureloss/RecordMapping.h"

#include <string>

namespace vimtal::pressureloss::testing {

struct FullCircuit {
    Circuit circuit;
    std::string totalText;  // as the circuit window's total field shows it
};

// `air`: its displayed figures in use (the calculator's windows take them
// at each activation).
inline FullCircuit MakeFullCircuit(const AmbientAir& air) {
    FittingCalculator calculator(air);
    FullCircuit full{{}, "0"};
    double running = 0.0;
    for (int i = 0; i < kTableSlots; ++i) {
        const FittingKind kind = AllKinds()[static_cast<std::size_t>(i % kKindCount)];
        FittingInputs inputs = TypicalInputs(kind);
        inputs.branchFlow = "40";  // a tee's other stream
        calculator.VelocityStep(kind, inputs);
        const LossResult result = calculator.LossStep(kind, inputs, full.totalText, nullptr, running);
        full.circuit.Append(MakeRecord(kind, inputs, result));
        full.totalText = result.totalText;
        running = result.runningTotal;
    }
    return full;
}

}  // namespace vimtal::pressureloss::testing
