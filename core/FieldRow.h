// A field of a calculation window as a report or an export shows it: its
// caption, symbol, the text the window shows and the unit.
#pragma once

#include <string>
#include <vector>

namespace vimtal {

enum class FieldRole { Input, Result };

struct FieldRow {
    FieldRole role = FieldRole::Input;
    std::string label;      // "Temperatura początkowa wody"; a choice: "Ogrzewanie"
    std::string symbol;     // "t", "λ" (may be empty)
    std::string subscript;  // "w0", "iz" (may be empty)
    std::string value;      // exactly as the window shows it; a choice: its word ("wodne")
    std::string unit;       // "°C" (may be empty)
    bool choice = false;    // a choice: label and word, no symbol or unit
};

using FieldRows = std::vector<FieldRow>;

}  // namespace vimtal
