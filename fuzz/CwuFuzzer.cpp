// Any bytes opened as a .cwu file must decode without reading past the
// record, and what decodes must survive a save and a second opening.
#include "dhwsim/CwuFile.h"
#include "fuzz/FixedRecordFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return vimtal::FuzzFixedRecord(vimtal::dhwsim::kCwuFormat, data, size);
}
