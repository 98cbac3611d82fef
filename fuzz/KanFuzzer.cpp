// Any bytes opened as a .kan file must decode without reading past the
// record, and what decodes must survive a save and a second opening.
#include "ductsim/KanFile.h"

#include <cstdlib>

using namespace vimtal;
using namespace vimtal::ductsim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kKanRecordSize) return 0;  // a short file is refused before decoding
    const Bytes bytes(data, data + size);
    const KanRecord first = kKanFormat.Decode(bytes);
    const KanRecord second = kKanFormat.Decode(kKanFormat.Encode(first));
    if (first.rectangular != second.rectangular) std::abort();
    const std::string* a[] = {&first.ti, &first.te, &first.flow, &first.sideA, &first.diameter, &first.heatLoss};
    const std::string* b[] = {&second.ti, &second.te, &second.flow, &second.sideA, &second.diameter, &second.heatLoss};
    for (std::size_t i = 0; i < std::size(a); ++i) {
        if (a[i]->find("\xEF\xBF\xBD") == std::string::npos && *a[i] != *b[i]) std::abort();
    }
    return 0;
}
