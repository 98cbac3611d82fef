// The local-loss coefficient zeta of each kind of fitting: bends and elbows
// from the handbook tables over r/d, the angle and the Reynolds number,
// offsets over e/L and the diameter, reducers over the cone angle and the
// area ratio, tees from the momentum of their streams; straight ducts,
// silencers, roof elements and grilles have none (their loss is friction and
// the manufacturer's additional loss).
#pragma once

#include "FittingInputs.h"
#include "FittingKinds.h"

#include "core/Notes.h"

namespace vimtal::pressureloss {

// Zeta of `kind` from the fitting's figures (sizes, angle, radius, offset,
// flows and this fitting's Reynolds number) and the texts of its lists (the
// elbow construction, the tee's path and flow pattern). A construction or
// tee text off its list raises NoticeError. A table read beyond its
// breakpoints is noted in `notes` when given.
double LocalLossCoefficient(FittingKind kind, const FittingValues& values, const FittingInputs& inputs,
                            Notes* notes = nullptr);

}  // namespace vimtal::pressureloss
