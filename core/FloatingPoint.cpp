#include "FloatingPoint.h"

#include "Errors.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace vimtal::fp {

namespace {
[[noreturn]] void Raise(FloatFault fault) { throw FloatingPointError(fault); }
}  // namespace

namespace detail {

double StoreUnusual(real value) {
    if (std::isnan(value)) Raise(FloatFault::InvalidOperation);
    const double stored = static_cast<double>(value);
    if (std::isinf(stored)) Raise(FloatFault::Overflow);
    return stored;
}

real DivUnusual(real numerator, real denominator) {
    if (std::isnan(numerator) || std::isnan(denominator)) Raise(FloatFault::InvalidOperation);
    if (denominator == 0.0L) {
        Raise(numerator == 0.0L ? FloatFault::InvalidOperation : FloatFault::DivisionByZero);
    }
    const real q = numerator / denominator;
    if (std::isnan(q)) Raise(FloatFault::InvalidOperation);
    if (std::isinf(q)) Raise(FloatFault::Overflow);
    return q;
}

}  // namespace detail

real Ln(real x) {
    if (std::isnan(x) || x < 0.0L) Raise(FloatFault::InvalidOperation);
    if (x == 0.0L) Raise(FloatFault::DivisionByZero);
    return std::log(x);
}

real Log10(real x) {
    if (std::isnan(x) || x < 0.0L) Raise(FloatFault::InvalidOperation);
    if (x == 0.0L) Raise(FloatFault::DivisionByZero);
    return std::log10(x);
}

namespace detail {

real SqrtUnusual(real x) {
    if (std::isnan(x) || x < 0.0L) Raise(FloatFault::InvalidOperation);
    return std::sqrt(x);
}

}  // namespace detail

real Exp(real x) {
    if (std::isnan(x)) Raise(FloatFault::InvalidOperation);
    const real e = std::exp(x);
    if (std::isinf(e)) Raise(FloatFault::Overflow);
    return e;
}

real ArcCos(real x) {
    if (std::isnan(x) || x < -1.0L || x > 1.0L) Raise(FloatFault::InvalidOperation);
    return std::acos(x);
}

real PowViaLog(real base, real exponent) { return Exp(exponent * Ln(base)); }

real IntPower(real base, int n) {
    // Plain repeated products, left to right: t*t*t*t for n = 4.
    const bool negative = n < 0;
    long long count = negative ? -static_cast<long long>(n) : n;
    real result = 1.0L;
    for (long long i = 0; i < count; ++i) {
        result *= base;
        if (std::isinf(result)) Raise(FloatFault::Overflow);
    }
    return negative ? Div(1.0L, result) : result;
}

real RoundToEven(real x) {
    if (std::isnan(x)) Raise(FloatFault::InvalidOperation);
    // The default rounding mode is to nearest with ties to even.
    return std::nearbyint(x);
}

namespace {
std::int64_t ToInt64(real whole) {
    // 2^63 is exactly representable in long double.
    constexpr real limit = 9223372036854775808.0L;
    if (std::isnan(whole) || whole >= limit || whole < -limit) Raise(FloatFault::InvalidOperation);
    return static_cast<std::int64_t>(whole);
}
}  // namespace

std::int64_t Round(real x) { return ToInt64(RoundToEven(x)); }

std::int64_t Trunc(real x) {
    if (std::isnan(x)) Raise(FloatFault::InvalidOperation);
    return ToInt64(std::trunc(x));
}

}  // namespace vimtal::fp
