#include "Numbers.h"

#include "Errors.h"
#include "FloatingPoint.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace vimtal {

namespace {
char decimalSeparator = ',';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// Parses the grammar into a C-form text ("-12.5e-3") for std::from_chars,
// which is locale-independent and correctly rounded. Returns false when the
// text does not follow the grammar. `leadingMagnitude` receives the decimal
// exponent of the first significant digit (used to tell overflow from
// underflow when the value does not fit).
bool ToCanonical(std::string_view s, char separator, std::string& canonical, long long& leadingMagnitude,
                 bool& allZero) {
    canonical.clear();
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') canonical.push_back('-');
        ++i;
    }
    std::string mantissa;
    long long pointPosition = -1;  // digits before the separator
    std::size_t digits = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            mantissa.push_back(c);
            ++digits;
        } else if (c == separator && pointPosition < 0) {
            pointPosition = static_cast<long long>(digits);
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (pointPosition < 0) pointPosition = static_cast<long long>(digits);

    long long exponent = 0;
    std::string exponentText;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negative = s[i] == '-';
            ++i;
        }
        const std::size_t start = i;
        while (i < s.size() && IsDigit(s[i])) {
            // Saturate: an exponent of a billion already decides the result.
            if (exponent < 1000000000LL) exponent = exponent * 10 + (s[i] - '0');
            ++i;
        }
        if (i == start) return false;
        if (negative) exponent = -exponent;
    }
    if (i != s.size()) return false;

    const std::size_t firstNonZero = mantissa.find_first_not_of('0');
    allZero = firstNonZero == std::string::npos;
    leadingMagnitude = allZero ? 0 : pointPosition - static_cast<long long>(firstNonZero) - 1 + exponent;

    canonical += mantissa.substr(0, static_cast<std::size_t>(pointPosition));
    if (canonical.empty() || canonical == "-") canonical.push_back('0');
    if (static_cast<std::size_t>(pointPosition) < mantissa.size()) {
        canonical.push_back('.');
        canonical += mantissa.substr(static_cast<std::size_t>(pointPosition));
    }
    canonical.push_back('e');
    canonical += std::to_string(exponent);
    return true;
}

// 10^d as the nearest double.
double PowerOfTen(int digit) {
    std::string text = "1e" + std::to_string(digit);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}
}  // namespace

char DecimalSeparator() { return decimalSeparator; }
void SetDecimalSeparator(char separator) { decimalSeparator = separator; }

char LocaleSeparator() { return decimalSeparator; }
char ForeignSeparator() { return decimalSeparator == '.' ? ',' : '.'; }

void DetectSeparators(const std::string& displayOfPointOne) {
    if (displayOfPointOne.size() >= 2 && (displayOfPointOne[1] == ',' || displayOfPointOne[1] == '.')) {
        decimalSeparator = displayOfPointOne[1];
    }
}

std::string NormalizeSeparator(const std::string& text) {
    const char foreign = ForeignSeparator();
    std::string result = text;
    for (char& c : result) {
        if (c == foreign) c = decimalSeparator;
    }
    return result;
}

double StrToFloat(const std::string& text) {
    std::string canonical;
    long long magnitude = 0;
    bool allZero = false;
    if (!ToCanonical(TrimBlanks(text), decimalSeparator, canonical, magnitude, allZero)) {
        throw ConversionError(text);
    }
    if (allZero) return canonical.front() == '-' ? -0.0 : 0.0;

    double value = 0.0;
    const char* first = canonical.data();
    const char* last = first + canonical.size();
    auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc() && end == last && std::isfinite(value)) return value;

    // Out of the double range: beyond it upwards is refused, downwards the
    // value underflows to a subnormal or zero.
    if (magnitude > 0) throw ConversionError(text);
    long double extended = 0.0L;
    auto [endExtended, errorExtended] = std::from_chars(first, last, extended);
    if (errorExtended == std::errc() && endExtended == last) return static_cast<double>(extended);
    return canonical.front() == '-' ? -0.0 : 0.0;
}

std::int32_t StrToInt(const std::string& text) {
    std::string_view s = TrimBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    if (i == s.size()) throw ConversionError(text, ConversionError::Kind::Integer);
    long long value = 0;
    for (; i < s.size(); ++i) {
        if (!IsDigit(s[i])) throw ConversionError(text, ConversionError::Kind::Integer);
        value = value * 10 + (s[i] - '0');
        if (value > 2147483648LL) throw ConversionError(text, ConversionError::Kind::Integer);
    }
    if (negative) value = -value;
    if (value > 2147483647LL) throw ConversionError(text, ConversionError::Kind::Integer);
    return static_cast<std::int32_t>(value);
}

std::string FloatToStr(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0.0) return "0";

    // 15 significant digits, correctly rounded from the binary value.
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);  // "d.dddddddddddddde+XX"
    const std::size_t ePos = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) {
            out += decimalSeparator;
            out += digits.substr(1);
        }
        out += 'E';
        if (exponent < 0) out += '-';
        out += std::to_string(std::abs(exponent));
    } else if (exponent >= 0) {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole);
            out += decimalSeparator;
            out += digits.substr(whole);
        }
    } else {
        out += '0';
        out += decimalSeparator;
        out += std::string(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

double RoundTo(double value, int digit) {
    const double factor = PowerOfTen(digit);
    const fp::real whole = fp::RoundToEven(fp::Div(value, factor));
    return fp::Store(whole * factor);
}

std::string RoundedDisplay(double value, int digit) { return FloatToStr(RoundTo(value, digit)); }

std::string WholeDisplay(double value) { return FloatToStr(fp::Store(fp::RoundToEven(value))); }

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

double MetresFromMillimetres(double millimetres) { return fp::Store(fp::Div(millimetres, 1000.0L)); }

}  // namespace vimtal
