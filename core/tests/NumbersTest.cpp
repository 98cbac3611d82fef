#include "core/Errors.h"
#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace vimtal {
namespace {

// Writes a test text with '#' standing for the decimal separator under test.
std::string WithSeparator(std::string text, char separator) {
    for (char& c : text) {
        if (c == '#') c = separator;
    }
    return text;
}

class SeparatorTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override { SetDecimalSeparator(GetParam()); }
    void TearDown() override { SetDecimalSeparator(','); }
    char sep() const { return GetParam(); }
    char other() const { return GetParam() == ',' ? '.' : ','; }
};

INSTANTIATE_TEST_SUITE_P(BothSeparators, SeparatorTest, ::testing::Values(',', '.'),
                         [](const auto& info) { return info.param == ',' ? "Comma" : "Dot"; });

TEST_P(SeparatorTest, AcceptsTheGrammar) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"0", 0.0},          {"20", 20.0},         {"-20", -20.0},        {"+7", 7.0},
        {"0#35", 0.35},      {"#5", 0.5},          {"5#", 5.0},           {"-#25", -0.25},
        {"  12#5  ", 12.5},  {"1E3", 1000.0},      {"1e3", 1000.0},       {"1#5E-6", 1.5e-6},
        {"2e+2", 200.0},     {"-1#25e-1", -0.125}, {"101300", 101300.0},  {"0#000015", 0.000015},
        {"1e-400", 0.0},     {"1#7976931348623157e308", std::numeric_limits<double>::max()},
        {"000123#4500", 123.45},
    };
    for (const Case& c : cases) {
        const std::string text = WithSeparator(c.text, sep());
        EXPECT_EQ(StrToFloat(text), c.value) << text;
    }
}

TEST_P(SeparatorTest, RejectsEverythingElseWithTheConversionMessage) {
    const char* texts[] = {
        "",      " ",     "-",     "+",    "#",      "1#2#3", "1 000", "12a",   "a12",  "1e",
        "1e+",   "e5",    "nan",   "NaN",  "inf",    "-inf",  "0x1p3", "0x10",  "1,2.3", "--1",
        "+-1",   "1-",    "1e5.5", "\t1",  "1\n",    "١٢",     "1E3#5", "1#0e1#0",
    };
    for (const char* raw : texts) {
        const std::string text = WithSeparator(raw, sep());
        try {
            StrToFloat(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid floating point value.");
        }
    }
}

TEST_P(SeparatorTest, TheOtherSeparatorIsNotANumber) {
    EXPECT_THROW(StrToFloat(std::string("2") + other() + "5"), ConversionError);
    EXPECT_THROW(StrToFloat(std::string("1") + other() + "234" + sep() + "5"), ConversionError);
}

TEST_P(SeparatorTest, ValuesBeyondTheDoubleRangeAreRefused) {
    for (const char* text : {"1e400", "-1e309", "1e99999999999999999999", "1#8e308"}) {
        EXPECT_THROW(StrToFloat(WithSeparator(text, sep())), ConversionError) << text;
    }
}

TEST_P(SeparatorTest, GeneralDisplay) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {0.1, "0#1"},
        {1.2, "1#2"},
        {20.0, "20"},
        {-3.537, "-3#537"},
        {0.00001, "0#00001"},
        {0.0000099, "9#9E-6"},
        {1.5e-6, "1#5E-6"},
        {-1.5e-6, "-1#5E-6"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1.25e20, "1#25E20"},
        {0.1 + 0.2, "0#3"},
        {2.0 / 3.0, "0#666666666666667"},
        {1.0 / 3.0 * 1e-3, "0#000333333333333333"},
        {612.858088403926, "612#858088403926"},
        {0.509295817894065, "0#509295817894065"},
        {5e-324, "4#94065645841247E-324"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatToStr(c.value), WithSeparator(c.text, sep())) << c.text;
    }
}

TEST_P(SeparatorTest, RoundedAndWholeDisplay) {
    struct Case {
        double value;
        int digit;
        const char* text;
    } cases[] = {
        {1.19727, -2, "1#2"},
        {0.0000153, -6, "0#000015"},
        {0.000015308, -6, "0#000015"},
        {2.345, -2, "2#35"},  // 2.345 is slightly above 2.345 as a double
        {0.125, -2, "0#12"},  // exact tie: to even
        {0.135, -2, "0#14"},
        {1005.0, 1, "1000"},  // 100.5 -> 100, ties to even
        {1015.0, 1, "1020"},
        {104.0, 1, "100"},
        {115.0, 1, "120"},
        {105.0, 1, "100"},
        {2.5, 0, "2"},
        {-2.5, 0, "-2"},
        {34.6666666, -3, "34#667"},
        {0.0340948123, -7, "0#0340948"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundedDisplay(c.value, c.digit), WithSeparator(c.text, sep())) << c.value << " d=" << c.digit;
    }
    struct Whole {
        double value;
        const char* text;
    } wholes[] = {{2.5, "2"}, {3.5, "4"}, {-0.4, "0"}, {59.4, "59"}, {138.6, "139"}, {1e20, "1E20"}};
    for (const Whole& w : wholes) EXPECT_EQ(WholeDisplay(w.value), w.text) << w.value;
}

TEST_P(SeparatorTest, DisplayConvertsBackToTheSameDouble) {
    // 15 significant digits do not always round-trip, but the display of the
    // converted display must be stable.
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        const std::string shown = FloatToStr(value);
        const double back = StrToFloat(shown);
        EXPECT_EQ(FloatToStr(back), shown);
        EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << shown;
    }
}

TEST(Separators, DetectionAndNormalisation) {
    SetDecimalSeparator(',');
    DetectSeparators(FloatToStr(0.1));
    EXPECT_EQ(LocaleSeparator(), ',');
    EXPECT_EQ(ForeignSeparator(), '.');
    EXPECT_EQ(NormalizeSeparator("2.5"), "2,5");
    EXPECT_EQ(NormalizeSeparator("2,5"), "2,5");
    EXPECT_EQ(NormalizeSeparator("1.234,5"), "1,234,5");
    EXPECT_THROW(StrToFloat(NormalizeSeparator("1.234,5")), ConversionError);
    EXPECT_THROW(StrToFloat("2.5"), ConversionError);  // without normalisation

    SetDecimalSeparator('.');
    DetectSeparators(FloatToStr(0.1));
    EXPECT_EQ(LocaleSeparator(), '.');
    EXPECT_EQ(ForeignSeparator(), ',');
    EXPECT_EQ(NormalizeSeparator("2,5"), "2.5");
    EXPECT_THROW(StrToFloat("0,35"), ConversionError);  // a comma default needs a comma locale

    // One setting: what the launcher detects is what every conversion uses.
    DetectSeparators("0,1");
    EXPECT_EQ(DecimalSeparator(), ',');
    EXPECT_EQ(StrToFloat("0,35"), 0.35);
    DetectSeparators("");  // nothing to detect: unchanged
    EXPECT_EQ(LocaleSeparator(), ',');
    EXPECT_EQ(NormalizeSeparator("2.5"), "2,5");
    SetDecimalSeparator(',');
}

TEST(Integers, ConversionAndMessages) {
    EXPECT_EQ(StrToInt("10000000"), 10000000);
    EXPECT_EQ(StrToInt(" -5 "), -5);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    for (const char* text : {"", "1,5", "1e3", "2147483648", "abc", "-", "99999999999999999999"}) {
        try {
            StrToInt(text);
            ADD_FAILURE() << text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' is not a valid integer value.");
        }
    }
}

}  // namespace
}  // namespace vimtal
