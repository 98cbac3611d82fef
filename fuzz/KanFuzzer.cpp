// Any bytes opened as a .kan file must decode without reading past the
// record, and what decodes must survive a save and a second opening.
#include "ductsim/KanFile.h"
#include "fuzz/FixedRecordFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return vimtal::FuzzFixedRecord(vimtal::ductsim::kKanFormat, data, size);
}
