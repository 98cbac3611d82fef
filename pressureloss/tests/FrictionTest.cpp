#include "pressureloss/Friction.h"

#include "TestSupport.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vimtal::pressureloss {
namespace {

using Friction = testing::CommaLocale;

TEST_F(Friction, FrictionFactorScan) {
    struct Case {
        double re, k, d;
        int steps;
    };
    const Case cases[] = {
        {23579.20549867072, 0.000007, 0.1, 2504},
        {23579.20549867072, 0.0, 0.1, 2487},  // smooth wall: the scan still ends
        {1e6, 0.0, 0.1, 1165},
    };
    for (const Case& c : cases) {
        const FrictionFactorResult r = FrictionFactor(c.re, c.k, c.d);
        EXPECT_EQ(r.steps, c.steps) << c.re;
        // A multiple of 0.00001 up to the rounding of the repeated addition.
        EXPECT_NEAR(r.lambda, r.steps * 0.00001, 1e-12);
        // The law holds at the crossing: one step earlier the left side was larger.
        const double left = 1.0 / std::sqrt(r.lambda);
        const double right = -2.0 * std::log10(2.51 / (c.re * std::sqrt(r.lambda)) + 0.2695 * c.k / c.d);
        EXPECT_LE(left, right);
        const double before = r.lambda - 0.00001;
        EXPECT_GT(1.0 / std::sqrt(before),
                  -2.0 * std::log10(2.51 / (c.re * std::sqrt(before)) + 0.2695 * c.k / c.d));
    }
}

TEST_F(Friction, FrictionFactorScanEndsWithAMessageWhereTheLawHasNoSolution) {
    struct Case {
        std::string what;
        double re, k, d;
    };
    const Case cases[] = {
        {"roughness above 3.7 d", 23579.0, 0.4, 0.1},
        {"0,001 m3/h in a 1000 mm duct", 0.0235, 0.000007, 1.0},
        {"Re below 1e-5, where the addition stalls", 1e-6, 0.000007, 0.1},
    };
    for (const Case& c : cases) {
        try {
            FrictionFactor(c.re, c.k, c.d);
            FAIL() << c.what;
        } catch (const NoticeError& e) {
            EXPECT_EQ(e.Title(), "BRENTAX info") << c.what;
            EXPECT_NE(std::string(e.what()).find("λ"), std::string::npos) << c.what;
        }
    }
}

}  // namespace
}  // namespace vimtal::pressureloss
