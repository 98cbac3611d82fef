// What the calculator's three windows share: the circuit table with its
// state (kind being entered, edit flag, running total) and the calculation
// with its values. Owned by the program, outside the windows, and handed to
// the circuit window, the catalogue and the editor when they are created.
#pragma once

#include "pressureloss/FittingRecord.h"
#include "pressureloss/FittingCalculator.h"

namespace vimtal::pressureloss {

struct Session {
    explicit Session(const AmbientAir& air) : calculator(air) {}

    Circuit circuit;
    FittingCalculator calculator;
};

}  // namespace vimtal::pressureloss
