// Notes on a calculation: the assumptions of a model that its inputs leave.
//
// A model that rests on assumptions (a law fitted over a range, a table with
// its breakpoints, a correlation with its condition) lists, beside its
// results, each one the calculation stepped outside of: in Polish, naming
// the assumption, the value that breaks it and the bound. No note means the
// inputs lie within every assumption the model itself states. A value
// exactly on a bound is within it.
#pragma once

#include "core/Numbers.h"

#include <string>
#include <vector>

namespace vimtal {

using Notes = std::vector<std::string>;

// A value in a note: as the windows show numbers, to three decimals at
// most ("-0,001", "20", "0,35").
inline std::string NoteNumber(double value) { return RoundedDisplay(value, -3); }

}  // namespace vimtal
