#include "Json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace vimtal::json {

namespace {

std::string Quoted(std::string_view text) { return "„" + std::string(text) + "”"; }

class Parser {
public:
    Parser(std::string_view text, const Limits& limits) : text_(text), limits_(limits) {}

    Value ParseDocument() {
        if (text_.size() > limits_.maxBytes) {
            Fail("tekst jest za długi (ponad " + std::to_string(limits_.maxBytes) + " bajtów)");
        }
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") Advance(3);
        SkipBlanks();
        Value value = ParseValue(0);
        SkipBlanks();
        if (!AtEnd()) Fail("po zakończonej wartości stoi jeszcze tekst");
        return value;
    }

private:
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    [[noreturn]] void Fail(const std::string& problem) const { throw ParseError(here_, problem); }
    [[noreturn]] void FailAt(Position where, const std::string& problem) const { throw ParseError(where, problem); }

    // Moves over n bytes, counting lines and characters.
    void Advance(std::size_t n = 1) {
        for (; n > 0 && !AtEnd(); --n, ++pos_) {
            const unsigned char c = static_cast<unsigned char>(text_[pos_]);
            if (c == '\n') {
                ++here_.line;
                here_.column = 1;
            } else if ((c & 0xC0) != 0x80) {
                ++here_.column;
            }
        }
    }

    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) Advance();
    }

    void Expect(char c, const char* what) {
        if (Peek() != c) Fail(std::string("oczekiwano ") + what);
        Advance();
    }

    std::string Found() const {
        if (AtEnd()) return "koniec tekstu";
        const unsigned char c = static_cast<unsigned char>(Peek());
        if (c < 0x20) return "znak sterujący";
        std::size_t length = 1;
        while (pos_ + length < text_.size() && (static_cast<unsigned char>(text_[pos_ + length]) & 0xC0) == 0x80) {
            ++length;
        }
        return Quoted(text_.substr(pos_, length));
    }

    Value ParseValue(int depth) {
        Value value;
        value.position = here_;
        switch (Peek()) {
            case '{': ParseObject(value, depth + 1); break;
            case '[': ParseArray(value, depth + 1); break;
            case '"':
                value.kind = Value::Kind::String;
                value.text = ParseString();
                break;
            case 't': ParseWord("true", value, Value::Kind::Boolean, true); break;
            case 'f': ParseWord("false", value, Value::Kind::Boolean, false); break;
            case 'n': ParseWord("null", value, Value::Kind::Null, false); break;
            default:
                if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) {
                    value.kind = Value::Kind::Number;
                    value.number = ParseNumber();
                } else {
                    Fail("oczekiwano wartości (obiektu, tablicy, tekstu, liczby, true, false lub null), a jest " +
                         Found());
                }
        }
        return value;
    }

    void Enter(int depth) const {
        if (depth > limits_.maxDepth) {
            Fail("zbyt głębokie zagnieżdżenie (ponad " + std::to_string(limits_.maxDepth) + " poziomów)");
        }
    }

    // Steps over an object's or array's opening bracket; true when the
    // container closes at once (it is empty).
    bool Open(Value& value, Value::Kind kind, int depth, char close) {
        Enter(depth);
        value.kind = kind;
        Advance();
        SkipBlanks();
        return Closes(close);
    }

    bool Closes(char close) {
        if (Peek() != close) return false;
        Advance();
        return true;
    }

    // After an item: true at the closing bracket, otherwise over the comma
    // to the next item.
    bool ClosesAfterItem(char close) {
        SkipBlanks();
        if (Closes(close)) return true;
        if (Peek() != ',') Fail(std::string("oczekiwano „,” lub „") + close + "”, a jest " + Found());
        Advance();
        SkipBlanks();
        return false;
    }

    void ParseObject(Value& value, int depth) {
        if (Open(value, Value::Kind::Object, depth, '}')) return;
        for (;;) {
            if (Peek() != '"') Fail("oczekiwano klucza w cudzysłowie, a jest " + Found());
            const Position keyAt = here_;
            std::string key = ParseString();
            for (const std::string& earlier : value.keys) {
                if (earlier == key) FailAt(keyAt, "klucz " + Quoted(key) + " powtarza się w obiekcie");
            }
            SkipBlanks();
            Expect(':', "„:” po kluczu");
            SkipBlanks();
            value.keys.push_back(std::move(key));
            value.items.push_back(ParseValue(depth));
            if (ClosesAfterItem('}')) return;
        }
    }

    void ParseArray(Value& value, int depth) {
        if (Open(value, Value::Kind::Array, depth, ']')) return;
        do {
            value.items.push_back(ParseValue(depth));
        } while (!ClosesAfterItem(']'));
    }

    void ParseWord(std::string_view word, Value& value, Value::Kind kind, bool boolean) {
        if (text_.substr(pos_, word.size()) != word) Fail("nieznane słowo; dozwolone są true, false i null");
        Advance(word.size());
        value.kind = kind;
        value.boolean = boolean;
    }

    double ParseNumber() {
        const std::size_t start = pos_;
        const Position at = here_;
        const auto digits = [&] {
            const std::size_t from = pos_;
            while (Peek() >= '0' && Peek() <= '9') Advance();
            return pos_ - from;
        };
        if (Peek() == '-') Advance();
        if (Peek() == '0') {
            Advance();
            if (Peek() >= '0' && Peek() <= '9') Fail("liczba nie może zaczynać się od zera");
        } else if (digits() == 0) {
            Fail("po znaku minus oczekiwano cyfry");
        }
        if (Peek() == '.') {
            Advance();
            if (digits() == 0) Fail("po kropce dziesiętnej oczekiwano cyfry");
        }
        if (Peek() == 'e' || Peek() == 'E') {
            Advance();
            if (Peek() == '+' || Peek() == '-') Advance();
            if (digits() == 0) Fail("w wykładniku oczekiwano cyfry");
        }
        double number = 0;
        const char* first = text_.data() + start;
        const char* last = text_.data() + pos_;
        const auto [end, error] = std::from_chars(first, last, number);
        if (error == std::errc::result_out_of_range) {
            FailAt(at, "liczba " + std::string(first, std::min(last, first + 40)) + " wykracza poza zakres liczb zmiennoprzecinkowych");
        }
        if (error != std::errc() || end != last) FailAt(at, "niepoprawna liczba");
        return number;
    }

    unsigned ParseHex4() {
        unsigned code = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = Peek();
            code <<= 4;
            if (c >= '0' && c <= '9') {
                code |= static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                code |= static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                code |= static_cast<unsigned>(c - 'A' + 10);
            } else {
                Fail("po \\u oczekiwano czterech cyfr szesnastkowych");
            }
            Advance();
        }
        return code;
    }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // \uXXXX, with a surrogate pair for a character beyond U+FFFF.
    void ParseUnicodeEscape(std::string& out, Position at) {
        unsigned code = ParseHex4();
        if (code >= 0xDC00 && code <= 0xDFFF) FailAt(at, "samotna druga połowa pary zastępczej UTF-16");
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (text_.substr(pos_, 2) != "\\u") FailAt(at, "niepełna para zastępcza UTF-16");
            Advance(2);
            const unsigned low = ParseHex4();
            if (low < 0xDC00 || low > 0xDFFF) FailAt(at, "niepełna para zastępcza UTF-16");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, code);
    }

    // One UTF-8 character as it stands in the text: no overlong forms, no
    // surrogates, nothing beyond U+10FFFF.
    void CopyUtf8(std::string& out) {
        const auto byte = [&](std::size_t k) {
            return pos_ + k < text_.size() ? static_cast<unsigned char>(text_[pos_ + k]) : 0u;
        };
        const unsigned lead = byte(0);
        std::size_t length = 0;
        unsigned code = 0, lowest = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1F, lowest = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, code = lead & 0x0F, lowest = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07, lowest = 0x10000;
        } else {
            Fail("niepoprawny znak UTF-8");
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(k) & 0xC0) != 0x80) Fail("niepoprawny znak UTF-8");
            code = (code << 6) | (byte(k) & 0x3F);
        }
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) Fail("niepoprawny znak UTF-8");
        out.append(text_.substr(pos_, length));
        Advance(length);
    }

    std::string ParseString() {
        const Position start = here_;
        Advance();  // "
        std::string out;
        for (;;) {
            if (AtEnd()) FailAt(start, "tekst nie ma cudzysłowu zamykającego");
            const unsigned char c = static_cast<unsigned char>(Peek());
            if (c == '"') {
                Advance();
                return out;
            }
            if (c < 0x20) Fail("znak sterujący w tekście (nowy wiersz, tabulator...) trzeba zapisać jako \\n, \\t...");
            if (c >= 0x80) {
                CopyUtf8(out);
                continue;
            }
            const Position escape = here_;
            Advance();
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            const char e = Peek();
            Advance();
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': ParseUnicodeEscape(out, escape); break;
                default: FailAt(escape, "nieznana sekwencja ucieczki po „\\”");
            }
        }
    }

    std::string_view text_;
    Limits limits_;
    std::size_t pos_ = 0;
    Position here_;
};

}  // namespace

ParseError::ParseError(Position position, const std::string& problem)
    : std::runtime_error("wiersz " + std::to_string(position.line) + ", kolumna " + std::to_string(position.column) +
                         ": " + problem),
      position_(position),
      problem_(problem) {}

const Value* Value::Find(std::string_view key) const {
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (keys[k] == key) return &items[k];
    }
    return nullptr;
}

std::string KindName(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::Null: return "null";
        case Value::Kind::Boolean: return "wartość logiczna";
        case Value::Kind::Number: return "liczba";
        case Value::Kind::String: return "tekst";
        case Value::Kind::Array: return "tablica";
        case Value::Kind::Object: return "obiekt";
    }
    return {};
}

Value Parse(std::string_view text, const Limits& limits) { return Parser(text, limits).ParseDocument(); }

std::string Quote(std::string_view text) {
    static const char* const kHex = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string NumberText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace vimtal::json
