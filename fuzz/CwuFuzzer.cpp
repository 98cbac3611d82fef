// Any bytes opened as a .cwu file must decode without reading past the
// record, and what decodes must survive a save and a second opening.
#include "dhwsim/CwuFile.h"

#include <cstdlib>

using namespace vimtal;
using namespace vimtal::dhwsim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kCwuRecordSize) return 0;  // a short file is refused before decoding
    const Bytes bytes(data, data + size);
    const CwuRecord first = DecodeCwu(bytes);
    const CwuRecord second = DecodeCwu(EncodeCwu(first));
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (first[i].flag != second[i].flag) std::abort();
        // Characters the code page lacks (from undefined bytes) come back as
        // '?'; everything else must come back unchanged.
        if (first[i].text.find("\xEF\xBF\xBD") == std::string::npos && first[i].text != second[i].text) std::abort();
    }
    return 0;
}
