// .ixp files: a chain of air-handling processes (AirProcesses.h) as UTF-8
// JSON, so that chains can be written by hand and by scripts as well:
//
//   {"format": "vimtal-ix", "version": 1, "pressure": 101325,
//    "states": [{"name": "1", "t": -10, "phi": 80, "flow": {"m": 1.0}},
//               {"name": "2", "t": 22, "phi": 45, "flow": {"V": 9000}}],
//    "processes": [{"type": "mixing", "from": ["1", "2"], "to": "M"},
//                  {"type": "heating", "from": "M", "t2": 32, "to": "3"},
//                  {"type": "steam", "from": "3", "phi2": 40, "to": "4"}]}
//
// Keys: "format" "vimtal-ix"; "version" 1; "pressure" in Pa; "states", each
// with "name", any two of "t" [degC], "phi" [%], "x" [g/kg], "i" [kJ/kg]
// and an optional "flow", {"m": kg/s of dry air} or {"V": m3/h of moist
// air}; "processes" (may be left out), in order, each with "type", "from"
// (a name; a pair of names for "mixing"), "to" (the new state's name) and
// its parameters:
//   "mixing": none;        "heating": "t2" [degC] or "Q" [kW];
//   "cooling": "adp" [degC] and "bf";
//   "steam": "x2" [g/kg] or "phi2" [%], optional "ts" [degC];
//   "spray": "x2" [g/kg] or "phi2" [%], optional "tw" [degC].
// Unknown keys, and keys of another process type, are ignored.
//
// Reading refuses, with a Polish message naming the problem and its place
// (a path such as processes[2].type with 0-based indices, and the line and
// column), a syntax error, a missing key or a value of the wrong kind, two
// or not two properties of a state, a flow without exactly one of m and V,
// an unknown process type, a repeated name, a "from" naming a state not yet
// given or made, and a later version. The values themselves (ranges,
// saturation...) are judged by ComputeChain, which the caller runs next.
#pragma once

#include "aircalc/AirProcesses.h"

#include <string>
#include <string_view>

namespace vimtal::aircalc {

inline constexpr const char* kIxpFormat = "vimtal-ix";
inline constexpr int kIxpVersion = 1;
inline constexpr const char* kIxpExtension = "ixp";

// The chain in the text. Refusals raise NoticeError (title "Vimtal info").
ChainInput ReadIxp(std::string_view text);

// The text of the chain: the shape above, one state and one process a line,
// the inputs as given (absent values stay absent), each number the shortest
// text that reads back to the same double.
std::string WriteIxp(const ChainInput& chain);

// The file at `path` (UTF-8): FileError when it cannot be read, NoticeError
// as ReadIxp.
ChainInput OpenIxp(const std::string& path);

// Writes the chain the safe way (core/Files.h): the old file is replaced only
// once the new one is written completely. FileError on failure.
void SaveIxp(const std::string& path, const ChainInput& chain);

}  // namespace vimtal::aircalc
