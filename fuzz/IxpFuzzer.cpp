// Any bytes opened as an .ixp chain are refused with a message or read into
// a chain that saves and reopens to the same text. A small chain read so
// also computes or is refused with a message: no input ends in a crash, a
// hang or a floating-point fault.
#include "aircalc/AirProcesses.h"
#include "aircalc/IxpFile.h"
#include "core/Errors.h"
#include "core/Numbers.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace vimtal;
using namespace vimtal::aircalc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SetDecimalSeparator(',');
    ChainInput chain;
    try {
        chain = ReadIxp(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const NoticeError&) {
        return 0;
    }
    const std::string saved = WriteIxp(chain);
    if (WriteIxp(ReadIxp(saved)) != saved) std::abort();
    // Every state costs a wet-bulb search of up to some 100 000 steps.
    if (chain.states.size() + chain.processes.size() > 8) return 0;
    try {
        const ChainResult result = ComputeChain(chain);
        if (result.states.size() != chain.states.size() + chain.processes.size()) std::abort();
        ChainCsv(result);
    } catch (const NoticeError&) {
    }
    return 0;
}
