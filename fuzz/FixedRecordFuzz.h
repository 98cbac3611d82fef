// The check every fixed-record fuzzer makes: any bytes of at least one
// record decode without reading past it, and what decodes survives a save
// and a second opening.
#pragma once

#include "core/FixedRecord.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace vimtal {

template <typename Record>
int FuzzFixedRecord(const FixedRecordFormat<Record>& format, const std::uint8_t* data, std::size_t size) {
    if (size < format.Size()) return 0;  // a short file is refused before decoding
    const Record first = format.Decode(data, size);
    const Record second = format.Decode(format.Encode(first));
    for (const FixedField<Record>& field : format.Fields()) {
        if (field.IsFlag()) {
            if (first.*field.flag != second.*field.flag) std::abort();
            continue;
        }
        // Characters the code page lacks (from undefined bytes) come back as
        // '?'; everything else must come back unchanged.
        const std::string& text = first.*field.text;
        if (text.find("\xEF\xBF\xBD") == std::string::npos && text != second.*field.text) std::abort();
    }
    return 0;
}

}  // namespace vimtal
