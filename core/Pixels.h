// Pixel positions of the charts, computed by the chart models.
#pragma once

#include "core/Errors.h"

namespace vimtal {

// Nearest whole pixel, halves to even. A chart maps every step of a run (up
// to ten million), so this is inline and avoids nearbyintl, which saves and
// restores the whole floating-point environment on each call: adding and
// subtracting 1.5 * 2^63 leaves a long double (64-bit mantissa) rounded to a
// whole number in the default mode, to nearest with ties to even. Points far
// outside any window (a scale made for a nearly empty range, a run that
// diverges) are held a million pixels away, where they are clipped like any
// other and still fit an int. NaN is an invalid operation.
inline int NearestPixel(long double value) {
    constexpr long double kFar = 1.0e6L;
    if (!(value > -kFar)) {
        if (value != value) throw FloatingPointError(FloatFault::InvalidOperation);
        value = -kFar;
    } else if (value > kFar) {
        value = kFar;
    }
    const long double whole = (value + 0x1.8p63L) - 0x1.8p63L;
    return static_cast<int>(whole);
}

}  // namespace vimtal
