// The editor's texts as the catalogue's preparation leaves them for a kind
// in a freshly started editor (the lists at their first items, PVC), with a
// flow of 100 m3/h: the fitting the engine's tests and benchmarks start
// from.
#pragma once

#include "pressureloss/FittingInputs.h"
#include "pressureloss/FittingKinds.h"

namespace vimtal::pressureloss::testing {

inline FittingInputs TypicalInputs(FittingKind kind) {
    const KindInfo& k = InfoOf(kind);
    const StartingSizes sizes = StartingSizesOf(kind);
    return {.name = k.name,
            .typeCode = k.typeCode,
            .length = k.length ? k.length : "0",
            .diameter1 = sizes.diameter1,
            .diameter2 = sizes.diameter2,
            .sideA = sizes.sideA,
            .sideB = sizes.sideB,
            .sideC = sizes.sideC,
            .sideD = sizes.sideD,
            .angle = "90",
            .radius = "50",
            .offsetE = "50",
            .roundElbowType = "ŁUK GŁADKI",
            .rectElbowType = "ŁUK",
            .teePath = "PRZELOT",
            .teeFlow = "ROZPŁYW",
            .flow = "100",
            .branchFlow = "0",
            .velocity1 = "",  // computed, nothing shown yet
            .velocity2 = "",
            .extraLoss = "0",
            .extraZeta = "0",
            .material = "PVC",
            .roughness = "0,007"};
}

}  // namespace vimtal::pressureloss::testing
