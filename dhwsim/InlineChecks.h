// Inline forms of the checked steps of core/FloatingPoint.h for the inner
// loop of the simulation, which runs up to ten million steps per pass.
//
// Each returns exactly what its core counterpart returns and raises the same
// fault: the fast path only handles finite operands with a finite result,
// anything else is handed to the core helper, which decides the fault. The
// core helpers are out-of-line calls taking long doubles through memory;
// inline, the compiler keeps the values in registers and the processor
// overlaps the independent parts of a step.
#pragma once

#include "core/FloatingPoint.h"

#include <cmath>

namespace vimtal::dhwsim::inl {

using fp::real;

inline double Store(real value) {
    const double stored = static_cast<double>(value);
    if (__builtin_expect(std::isfinite(stored), 1)) return stored;
    return fp::Store(value);  // NaN: invalid operation; beyond the range: overflow
}

inline real Div(real numerator, real denominator) {
    if (__builtin_expect(denominator != 0.0L, 1)) {
        const real q = numerator / denominator;
        if (__builtin_expect(std::isfinite(q), 1)) return q;
    }
    return fp::Div(numerator, denominator);
}

inline real Sqrt(real x) {
    if (__builtin_expect(x >= 0.0L, 1)) return __builtin_sqrtl(x);
    return fp::Sqrt(x);  // negative or NaN: invalid operation
}

}  // namespace vimtal::dhwsim::inl
