// Checked extended-precision arithmetic.
//
// Every formula step is evaluated in long double (the 80-bit x87 format on
// x86) and its result is stored as a double before the next step reads it.
// The three reported floating-point faults are raised as FloatingPointError at
// the step where they happen, so that what was stored before stays stored:
//
//   * division by zero: x / 0 with x != 0, and ln(0);
//   * invalid operation: 0 / 0, the logarithm or square root of a negative
//     number, arccos outside [-1, 1], rounding a value that has no integer;
//   * overflow: storing a value beyond the double range into a double, and an
//     exponential beyond the long double range.
//
// Underflow and inexact results pass silently. The checks are explicit rather
// than read from the FPU status flags: at -O2 the compiler is free to move an
// x87 division past a flag test, and a SIGFPE trap arrives late, so neither is
// reliable. Plain +, -, * of finite doubles cannot overflow a long double, so
// they need no helper; their overflow shows when the result is stored.
//
// Store, Div and Sqrt sit in the inner loops of the simulations (ten million
// steps a run), so their common case is inline; only when the operands or
// the result are out of the ordinary does an out-of-line call decide which
// fault to raise.
#pragma once

#include <cmath>
#include <cstdint>
#include <utility>

namespace vimtal::fp {

using real = long double;

// pi to the precision of a long double, and pi as the calculators have
// always written it in their geometry: 3.1415 (the tank volume and wall,
// the round-duct velocity). The figures users compare with older
// calculations depend on the short one, so it stays where it was used.
inline constexpr real kPi = 3.14159265358979323846264338327950288L;
inline constexpr real kPiShort = 3.1415L;

namespace detail {
// The out-of-ordinary cases: each raises the fault, or returns the result
// when there is none after all.
double StoreUnusual(real value);
real DivUnusual(real numerator, real denominator);
real SqrtUnusual(real x);
}  // namespace detail

// Store a step's result as a double (raises overflow or invalid operation).
inline double Store(real value) {
    const double stored = static_cast<double>(value);
    if (std::isfinite(stored)) [[likely]] return stored;
    return detail::StoreUnusual(value);
}

// The quotient of two finite long doubles of the double range cannot leave
// the long double range, so only the zero denominator needs a test; a NaN
// operand gives a NaN that the step's Store reports.
inline real Div(real numerator, real denominator) {
    if (denominator != 0.0L) [[likely]] return numerator / denominator;
    return detail::DivUnusual(numerator, denominator);
}

inline real Sqrt(real x) {
    if (x >= 0.0L) [[likely]] return std::sqrt(x);
    return detail::SqrtUnusual(x);
}

real Ln(real x);
real Log10(real x);
real Exp(real x);
real ArcCos(real x);

// base^exponent evaluated as exp(exponent * ln(base)); base must be > 0
// (base 0 gives ln(0), a division by zero, as the runtime did).
real PowViaLog(real base, real exponent);

// base^n for a whole n, as repeated products (keeps the sign of a negative
// base for odd n); a negative n divides 1 by the product.
real IntPower(real base, int n);

// Nearest whole number, ties to even; a value with no 64-bit integer (or NaN)
// is an invalid operation.
std::int64_t Round(real x);
// Towards zero; same range rule.
std::int64_t Trunc(real x);

// Nearest whole number as a real, ties to even, with no range limit.
real RoundToEven(real x);

// Halves the bracket [a, b] of a root (a may lie above b) at most `steps`
// times, or until its ends are neighbouring doubles: the middle replaces a
// when `onASide(middle)` holds, else b. Returns the last bracket.
template <class OnASide>
std::pair<double, double> Bisect(double a, double b, const OnASide& onASide, int steps) {
    for (int k = 0; k < steps; ++k) {
        const double middle = Store((static_cast<real>(a) + b) / 2.0L);
        if (middle == a || middle == b) break;
        (onASide(middle) ? a : b) = middle;
    }
    return {a, b};
}

}  // namespace vimtal::fp
