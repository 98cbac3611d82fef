#include "core/Errors.h"
#include "core/FloatingPoint.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <functional>
#include <optional>
#include <random>
#include <string>

namespace vimtal {
namespace {

using fp::real;

std::optional<FloatFault> FaultOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const FloatingPointError& e) {
        return e.Fault();
    }
    return std::nullopt;
}

TEST(FloatingPoint, EachHelperRaisesItsFault) {
    constexpr auto Z = FloatFault::DivisionByZero;
    constexpr auto O = FloatFault::Overflow;
    constexpr auto I = FloatFault::InvalidOperation;
    struct Case {
        const char* what;
        std::function<void()> step;
        std::optional<FloatFault> fault;
    } cases[] = {
        {"1/0", [] { fp::Div(1.0L, 0.0L); }, Z},
        {"-1/0", [] { fp::Div(-1.0L, 0.0L); }, Z},
        {"0/0", [] { fp::Div(0.0L, 0.0L); }, I},
        {"1/-0", [] { fp::Div(1.0L, -0.0L); }, Z},
        {"ln 0", [] { fp::Ln(0.0L); }, Z},
        {"ln -1", [] { fp::Ln(-1.0L); }, I},
        {"log10 0", [] { fp::Log10(0.0L); }, Z},
        {"log10 -2", [] { fp::Log10(-2.0L); }, I},
        {"sqrt -1e-300", [] { fp::Sqrt(-1e-300L); }, I},
        {"arccos 1.0000001", [] { fp::ArcCos(1.0000001L); }, I},
        {"exp 20000", [] { fp::Exp(20000.0L); }, O},
        {"store 1e309", [] { fp::Store(1e309L); }, O},
        {"store -1e4000", [] { fp::Store(-1e4000L); }, O},
        {"store DBL_MAX*1.0000000001", [] { fp::Store(static_cast<real>(DBL_MAX) * 1.0000000001L); }, O},
        {"store nan", [] { fp::Store(std::nanl("")); }, I},
        {"pow via log of 0", [] { fp::PowViaLog(0.0L, 1.5L); }, Z},
        {"pow via log of -1", [] { fp::PowViaLog(-1.0L, 1.5L); }, I},
        {"round 1e19", [] { fp::Round(1e19L); }, I},
        {"trunc -1e19", [] { fp::Trunc(-1e19L); }, I},
        {"int power overflow", [] { fp::IntPower(1e3000L, 4); }, O},
        {"int power 0^-1", [] { fp::IntPower(0.0L, -1); }, Z},
        // What passes: underflow and inexact results.
        {"store 1e-320", [] { fp::Store(1e-320L); }, std::nullopt},
        {"store 1e-4000", [] { fp::Store(1e-4000L); }, std::nullopt},
        {"exp -20000", [] { fp::Exp(-20000.0L); }, std::nullopt},
        {"1/3", [] { fp::Store(fp::Div(1.0L, 3.0L)); }, std::nullopt},
        {"store DBL_MAX", [] { fp::Store(static_cast<real>(DBL_MAX)); }, std::nullopt},
        {"sqrt -0", [] { fp::Sqrt(-0.0L); }, std::nullopt},
        {"arccos -1", [] { fp::ArcCos(-1.0L); }, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FaultOf(c.step), c.fault) << c.what;
    }
}

TEST(FloatingPoint, Messages) {
    EXPECT_STREQ(FloatingPointError(FloatFault::DivisionByZero).what(), "Floating point division by zero");
    EXPECT_STREQ(FloatingPointError(FloatFault::Overflow).what(), "Floating point overflow");
    EXPECT_STREQ(FloatingPointError(FloatFault::InvalidOperation).what(), "Invalid floating point operation");
}

TEST(FloatingPoint, RoundingIsToNearestWithTiesToEven) {
    struct Case {
        real x;
        std::int64_t rounded;
        std::int64_t truncated;
    } cases[] = {{0.5L, 0, 0},   {1.5L, 2, 1},   {2.5L, 2, 2},   {-2.5L, -2, -2},
                 {2.4999L, 2, 2}, {-3.7L, -4, -3}, {1e18L, 1000000000000000000LL, 1000000000000000000LL}};
    for (const Case& c : cases) {
        EXPECT_EQ(fp::Round(c.x), c.rounded) << static_cast<double>(c.x);
        EXPECT_EQ(fp::Trunc(c.x), c.truncated) << static_cast<double>(c.x);
    }
}

TEST(FloatingPoint, IntPowerIsRepeatedProductKeepingTheSign) {
    EXPECT_EQ(fp::IntPower(-2.0L, 3), -8.0L);
    EXPECT_EQ(fp::IntPower(-2.0L, 4), 16.0L);
    EXPECT_EQ(fp::IntPower(5.0L, 0), 1.0L);
    EXPECT_EQ(fp::IntPower(2.0L, -2), 0.25L);
    const real t = -12.345L;
    EXPECT_EQ(fp::IntPower(t, 4), t * t * t * t);
}

// The explicit checks must agree with what the x87 unit itself reports for
// the same operations: compare with the status flags on random operands
// (computed without optimisation barriers in between that could mislead).
TEST(FloatingPoint, ChecksAgreeWithTheHardwareFlags) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> exponent(-4940, 4930);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    auto draw = [&]() -> real {
        switch (random() % 8) {
        case 0: return 0.0L;
        case 1: return static_cast<real>(mantissa(random)) * 3e308L;  // about half beyond DBL_MAX
        default: return static_cast<real>(mantissa(random)) * std::pow(10.0L, static_cast<real>(exponent(random)) / 16);
        }
    };
    for (int i = 0; i < 300000; ++i) {
        volatile real a = draw();
        volatile real b = draw();
        std::feclearexcept(FE_ALL_EXCEPT);
        volatile real q = a / b;
        const int divFlags = std::fetestexcept(FE_DIVBYZERO | FE_INVALID);
        std::optional<FloatFault> expected;
        if (divFlags & FE_INVALID) expected = FloatFault::InvalidOperation;
        else if (divFlags & FE_DIVBYZERO) expected = FloatFault::DivisionByZero;
        std::optional<FloatFault> got = FaultOf([&] { fp::Div(a, b); });
        if (got == FloatFault::Overflow) got.reset();  // a long double quotient beyond its range
        ASSERT_EQ(got, expected) << static_cast<double>(a) << " / " << static_cast<double>(b);
        (void)q;

        std::feclearexcept(FE_ALL_EXCEPT);
        volatile double stored = static_cast<double>(static_cast<real>(a));
        const bool overflow = std::fetestexcept(FE_OVERFLOW) != 0;
        ASSERT_EQ(FaultOf([&] { fp::Store(a); }), overflow ? std::optional(FloatFault::Overflow) : std::nullopt)
            << static_cast<double>(a);
        (void)stored;

        std::feclearexcept(FE_ALL_EXCEPT);
        volatile real l = std::log(static_cast<real>(a));
        const int lnFlags = std::fetestexcept(FE_DIVBYZERO | FE_INVALID);
        std::optional<FloatFault> lnExpected;
        if (lnFlags & FE_INVALID) lnExpected = FloatFault::InvalidOperation;
        else if (lnFlags & FE_DIVBYZERO) lnExpected = FloatFault::DivisionByZero;
        ASSERT_EQ(FaultOf([&] { fp::Ln(a); }), lnExpected) << static_cast<double>(a);
        (void)l;
    }
}

}  // namespace
}  // namespace vimtal
