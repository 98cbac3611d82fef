// A small JSON reader (RFC 8259) for the files users and scripts write by
// hand: objects, arrays, strings with every escape and UTF-8, numbers,
// true, false and null. Every value keeps the line and column where it
// starts, so a program that finds a wrong value can say where it is.
//
// Stricter than the grammar in two ways that catch mistakes in hand-written
// files: an object may not repeat a key, and the text must be valid UTF-8.
// A byte-order mark before the value is skipped. Numbers are read into
// doubles, correctly rounded; one beyond the double range is refused.
// Limits keep a hostile file from exhausting the stack or the memory.
//
// Errors raise json::ParseError: its Position, and a Polish description of
// the problem ("oczekiwano „:” po kluczu").
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vimtal::json {

// 1-based; the column counts characters (UTF-8 code points), not bytes.
struct Position {
    int line = 1;
    int column = 1;
};

struct Limits {
    std::size_t maxBytes = 4u << 20;  // the whole text
    int maxDepth = 64;                // arrays and objects inside each other
};

class ParseError : public std::runtime_error {
public:
    ParseError(Position position, const std::string& problem);
    Position Where() const { return position_; }
    const std::string& Problem() const { return problem_; }

private:
    Position position_;
    std::string problem_;
};

class Value {
public:
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind = Kind::Null;
    Position position;
    bool boolean = false;
    double number = 0;
    std::string text;            // String
    std::vector<Value> items;    // Array elements; Object values
    std::vector<std::string> keys;  // Object keys, in the text's order, items[k] belongs to keys[k]

    bool Is(Kind k) const { return kind == k; }
    // The member's value, or nullptr (also for a value that is no object).
    const Value* Find(std::string_view key) const;
};

// "obiekt", "tablica", "tekst", "liczba", "wartość logiczna", "null".
std::string KindName(Value::Kind kind);

// Parses the whole text: one value, blanks around it, nothing else.
Value Parse(std::string_view text, const Limits& limits = {});

// The JSON text of a string, in quotes: '"' and '\' escaped, control
// characters as \uXXXX, everything else (UTF-8 included) as it is.
std::string Quote(std::string_view text);

// The shortest JSON number that reads back to the same double ("1", "0.1",
// "-2.5e-07"). Only for finite values.
std::string NumberText(double value);

}  // namespace vimtal::json
