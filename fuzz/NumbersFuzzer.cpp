// Number entry must never crash or misbehave, whatever is typed: either the
// text converts, and then its display converts back to a value it displays
// the same way, or it raises the conversion error.
#include "core/Errors.h"
#include "core/Numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace vimtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the locale's separator.
    SetDecimalSeparator((data[0] & 1) ? ',' : '.');
    DetectSeparators(FloatToStr(0.1));
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::string normalised = NormalizeSeparator(text);
    if (normalised.size() != text.size()) std::abort();

    double value = 0.0;
    try {
        value = StrToFloat(text);
    } catch (const ConversionError&) {
        return 0;
    }
    if (!std::isfinite(value)) std::abort();
    const std::string shown = FloatToStr(value);
    const double back = StrToFloat(shown);  // must not throw
    if (FloatToStr(back) != shown) std::abort();
    for (int digit = -7; digit <= 1; ++digit) {
        try {
            RoundedDisplay(value, digit);
        } catch (const FloatingPointError&) {
            // Rounding a value near the top of the double range may overflow.
        }
    }
    WholeDisplay(value);
    try {
        StrToInt(text);
    } catch (const ConversionError&) {
    }
    return 0;
}
