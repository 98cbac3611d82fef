// Shared setup of the engine tests: a Polish locale (decimal comma) and the
// default ambient air as the settings window shows it (1,2 kg/m3 and
// 0,000015 m2/s).
#pragma once

#include "pressureloss/FittingKinds.h"

#include "core/AmbientAir.h"
#include "core/Numbers.h"
#include "core/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>

namespace vimtal::pressureloss {

// A kind prints as its number in the tests' messages.
inline std::ostream& operator<<(std::ostream& os, FittingKind kind) { return os << Number(kind); }
inline void PrintTo(FittingKind kind, std::ostream* os) { *os << kind; }

}  // namespace vimtal::pressureloss

namespace vimtal::pressureloss::testing {

inline void UseLocale(char separator) {
    SetDecimalSeparator(separator);
    DetectSeparators(FloatToStr(0.1));
}

// The default ambient air as the calculator's windows use it: the settings
// window's 20 degC, 50 % and 101300 Pa, taken as displayed (1,2 kg/m3 and
// 0,000015 m2/s).
inline const AmbientAir& DefaultAir() {
    static const AmbientAir air = [] {
        AmbientAir a;
        a.Recompute("20", "50", "101300");
        a.UseDisplayedFigures();
        return a;
    }();
    return air;
}

class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        UseLocale(',');
        ASSERT_EQ(DefaultAir().Density(), 1.2);
        ASSERT_EQ(DefaultAir().Viscosity(), 0.000015);
    }
    void TearDown() override { UseLocale(','); }
};

// The text of a number written with a dot as the locale shows it.
inline std::string Local(std::string text) {
    for (char& c : text) {
        if (c == '.') c = DecimalSeparator();
    }
    return text;
}

using vimtal::testing::TempFolder;

}  // namespace vimtal::pressureloss::testing
