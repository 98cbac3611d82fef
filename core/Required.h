// The calculators' input checks: the required fields, in the order the user
// reads them, and the message that names the first one left empty.
//
//   if (const auto missing = FirstMissing({{h.empty(), "Podaj wysokosc zasobnika C.W.U"},
//                                          {d.empty(), "Podaj srednicę zasobnika C.W.U"}})) {
//       messages.ShowMessage(*missing, kInfoTitle);
//       return;
//   }
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

namespace vimtal {

struct Required {
    bool missing;         // the field is empty (and needed for this calculation)
    const char* message;  // "Podaj ..."
};

inline std::optional<std::string> FirstMissing(std::initializer_list<Required> fields) {
    for (const Required& field : fields) {
        if (field.missing) return std::string(field.message);
    }
    return std::nullopt;
}

}  // namespace vimtal
