// What every fuzzer of a fixed-record file checks: any bytes of at least one
// record decode without reading past the record, and what decodes survives
// an encoding and a second decoding - every flag, and every text except one
// holding a character the code page lacks (an undefined byte reads as
// U+FFFD and is written back as '?'). A short file is refused before
// decoding, so it is not decoded here.
#pragma once

#include "core/FixedRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace vimtal::fuzz {

template <typename Record>
void CheckRoundTrip(const FixedRecordFormat<Record>& format, const std::uint8_t* data, std::size_t size) {
    if (size < format.Size()) return;
    const Record first = format.Decode(data, size);
    const Record second = format.Decode(format.Encode(first));
    for (const FixedField<Record>& field : format.Fields()) {
        if (field.flag) {
            if (first.*field.flag != second.*field.flag) std::abort();
            continue;
        }
        const std::string& text = first.*field.text;
        if (text.find("\xEF\xBF\xBD") == std::string::npos && text != second.*field.text) std::abort();
    }
}

}  // namespace vimtal::fuzz
