// Inline forms of the checked floating-point steps and of the moist-air
// density, for the inner loop of the duct cooling run.
//
// A run may take ten million steps, each with a dozen divisions, stores and
// roots and one density evaluation. The shared helpers (core/FloatingPoint.h)
// and AirDensity (core/AmbientAir.h) are out-of-line functions that pass
// 80-bit values through memory; called ten million times they cost several
// seconds. The forms here compute the very same extended-precision values and
// test for the faults inline; when a test fails they hand the operands to the
// shared helper, which raises exactly the fault it always raises. The tests
// compare SliceDensity with AirDensity bit for bit.
#pragma once

#include "core/FloatingPoint.h"

#include <cmath>

namespace vimtal::ductsim::step {

using fp::real;

// fp::Store: the step's result as a double; NaN is an invalid operation and a
// value beyond the double range an overflow.
inline double Store(real value) {
    const double stored = static_cast<double>(value);
    if (std::isfinite(stored)) [[likely]] return stored;
    return fp::Store(value);
}

// fp::Div for the operands of the run: finite values within a few orders of
// magnitude of the double range (every one is a stored double or a short
// product of them), whose quotient cannot overflow the long double range. The
// one fault left is a zero denominator, which goes to the shared helper
// (division by zero, or invalid operation for 0/0). A NaN operand cannot
// occur; it would still reach the step's Store, an invalid operation.
inline real Div(real numerator, real denominator) {
    if (denominator != 0.0L) [[likely]] return numerator / denominator;
    return fp::Div(numerator, denominator);
}

// fp::Sqrt: a negative or NaN argument is an invalid operation.
inline real Sqrt(real x) {
    if (x >= 0.0L) [[likely]] return std::sqrt(x);
    return fp::Sqrt(x);
}

// Density of moist air, kg/m3, at t degC, relative humidity phi as a fraction
// (RH / 100, stored as a double) and pressure p in Pa: the steps of
// AirDensity, which evaluates the saturation pressure with whole powers as
// repeated products (t*t*t*t; a double's fourth power cannot overflow a long
// double) and the humidity ratio x = 0.622 phi ps / (p - phi ps).
inline double SliceDensity(double t, double phi, double p) {
    const real T = t;
    const real T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    const double ps = Store(0.00042531839L * T4 + 0.026198398307L * T3 + 1.379245931636L * T2 +
                            44.590652450291L * T + 612.858088403926L);
    const double x = Store(Div(0.622L * phi * ps, p - static_cast<real>(phi) * ps));
    return Store(Div(static_cast<real>(p) * (1.0L + x), (0.622L + x) * 462.0L * (t + 273.15L)));
}

}  // namespace vimtal::ductsim::step
