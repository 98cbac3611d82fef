// Any bytes opened as a .moh circuit must load without reading or writing
// outside the table, and the circuit loaded must save and load again to the
// same fittings and the same bytes.
#include "core/Errors.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "pressureloss/FittingRecord.h"

#include <cstdlib>

using namespace vimtal;
using namespace vimtal::pressureloss;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetDecimalSeparator(',');
    const Bytes bytes(data, data + size);
    Circuit circuit;
    RecordingMessageSink messages;
    LoadResult result;
    try {
        result = circuit.LoadBytes(bytes, messages);
    } catch (const FileError&) {
        if (circuit.Count() != 0) std::abort();  // a refused file leaves the table as it was (empty)
        return 0;
    }
    if (circuit.Count() != result.records || circuit.Count() > kTableSlots) std::abort();
    for (int row = 0; row <= kTableSlots; ++row) {
        for (int f = 0; f < kFieldCount; ++f) circuit.FieldText(row, static_cast<Field>(f));
    }
    try {
        circuit.SumOfTotalLosses();
    } catch (const VimtalError&) {
        // A total that is not a number stops the summing with its error.
    }
    if (circuit.Count() == 0) return 0;
    // Saved, the circuit loads and saves to the same bytes again.
    const Bytes saved = circuit.Serialize();
    Circuit again;
    again.LoadBytes(saved, messages);
    if (again.Count() != circuit.Count() || again.Serialize() != saved) std::abort();
    return 0;
}
