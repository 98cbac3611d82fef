// The JSON reader: values, escapes and UTF-8, numbers read back exactly,
// and each syntax error at its line and column.
#include "core/Json.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace vimtal::json {
namespace {

TEST(Json, ReadsEveryKindOfValueWithItsPosition) {
    const Value v = Parse("\xEF\xBB\xBF {\"a\": [1, -2.5e3, true, false, null],\n  \"b\": {\"c\": \"d\"}, \"\": 0}");
    ASSERT_TRUE(v.Is(Value::Kind::Object));
    EXPECT_EQ(v.keys, (std::vector<std::string>{"a", "b", ""}));
    const Value& a = *v.Find("a");
    ASSERT_EQ(a.items.size(), 5u);
    EXPECT_EQ(a.items[1].number, -2500);
    EXPECT_TRUE(a.items[2].boolean);
    EXPECT_TRUE(a.items[3].Is(Value::Kind::Boolean));
    EXPECT_FALSE(a.items[3].boolean);
    EXPECT_TRUE(a.items[4].Is(Value::Kind::Null));
    EXPECT_EQ(a.items[1].position.line, 1);
    EXPECT_EQ(a.items[1].position.column, 13);
    const Value& c = *v.Find("b")->Find("c");
    EXPECT_EQ(c.text, "d");
    EXPECT_EQ(c.position.line, 2);
    EXPECT_EQ(c.position.column, 14);
    EXPECT_EQ(v.Find("zz"), nullptr);
    EXPECT_EQ(a.Find("a"), nullptr);  // an array has no members
}

TEST(Json, StringsDecodeEscapesAndKeepUtf8) {
    const struct Case {
        const char* json;
        std::string text;
    } cases[] = {
        {R"("a\"b\\c\/d")", "a\"b\\c/d"},
        {R"("\b\f\n\r\t")", "\b\f\n\r\t"},
        {R"("\u0041\u00f3\u0142")", "Aół"},
        {R"("\ud83d\ude00")", "\xF0\x9F\x98\x80"},  // a surrogate pair
        {"\"Mgła φ ρ ṁ\"", "Mgła φ ρ ṁ"},
        {R"("\u0000")", std::string(1, '\0')},
    };
    for (const Case& c : cases) {
        const Value v = Parse(c.json);
        EXPECT_EQ(v.text, c.text) << c.json;
        // Quoted again, the text reads back the same.
        EXPECT_EQ(Parse(Quote(v.text)).text, v.text) << c.json;
    }
}

TEST(Json, SyntaxErrorsAtTheirLineAndColumn) {
    const struct Case {
        std::string json;
        int line, column;
        const char* problem;
    } cases[] = {
        {"", 1, 1, "oczekiwano wartości"},
        {"{\"a\": 1,}", 1, 9, "oczekiwano klucza w cudzysłowie, a jest „}”"},
        {"{\"a\" 1}", 1, 6, "oczekiwano „:” po kluczu"},
        {"[1 2]", 1, 4, "oczekiwano „,” lub „]”, a jest „2”"},
        {"{\"ł\": 1\n \"b\": 2}", 2, 2, "oczekiwano „,” lub „}”"},
        {"{\"a\": 1, \"a\": 2}", 1, 10, "klucz „a” powtarza się"},
        {"[01]", 1, 3, "liczba nie może zaczynać się od zera"},
        {"[1.]", 1, 4, "po kropce dziesiętnej oczekiwano cyfry"},
        {"[-]", 1, 3, "po znaku minus oczekiwano cyfry"},
        {"[1e]", 1, 4, "w wykładniku oczekiwano cyfry"},
        {"[2e400]", 1, 2, "liczba 2e400 wykracza poza zakres"},
        {"[NaN]", 1, 2, "oczekiwano wartości"},
        {"[tru]", 1, 2, "nieznane słowo"},
        {"\"abc", 1, 1, "tekst nie ma cudzysłowu zamykającego"},
        {"\"a\tb\"", 1, 3, "znak sterujący w tekście"},
        {"\"\\x\"", 1, 2, "nieznana sekwencja ucieczki"},
        {"\"\\u12G4\"", 1, 6, "po \\u oczekiwano czterech cyfr szesnastkowych"},
        {"\"\\ud800\"", 1, 2, "niepełna para zastępcza"},
        {"\"\\udc00\"", 1, 2, "samotna druga połowa pary zastępczej"},
        {"\"\xC3\x28\"", 1, 2, "niepoprawny znak UTF-8"},
        {"\"\xC0\xAF\"", 1, 2, "niepoprawny znak UTF-8"},          // overlong '/'
        {"\"\xED\xA0\x80\"", 1, 2, "niepoprawny znak UTF-8"},      // a surrogate
        {"\"\xF4\x90\x80\x80\"", 1, 2, "niepoprawny znak UTF-8"},  // beyond U+10FFFF
        {"{} x", 1, 4, "po zakończonej wartości stoi jeszcze tekst"},
    };
    for (const Case& c : cases) {
        try {
            Parse(c.json);
            ADD_FAILURE() << "not refused: " << c.json;
        } catch (const ParseError& error) {
            EXPECT_EQ(error.Where().line, c.line) << c.json;
            EXPECT_EQ(error.Where().column, c.column) << c.json;
            EXPECT_NE(error.Problem().find(c.problem), std::string::npos) << c.json << ": " << error.Problem();
        }
    }
}

TEST(Json, LimitsOfSizeAndDepth) {
    const std::string deep = std::string(64, '[') + std::string(64, ']');
    EXPECT_NO_THROW(Parse(deep));
    EXPECT_THROW(Parse("[" + deep + "]"), ParseError);
    EXPECT_THROW(Parse(std::string(100000, '['), {}), ParseError);  // no stack overflow
    EXPECT_THROW(Parse("[1, 2, 3]", {8, 64}), ParseError);
    EXPECT_NO_THROW(Parse("[1, 2]", {8, 64}));
}

TEST(Json, NumbersReadBackToTheSameDouble) {
    std::mt19937_64 random(11);
    for (int k = 0; k < 2000; ++k) {
        double value;
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        const std::string text = NumberText(value);
        EXPECT_EQ(Parse(text).number, value) << text;
    }
    EXPECT_EQ(NumberText(1.0), "1");
    EXPECT_EQ(NumberText(0.1), "0.1");
    EXPECT_EQ(NumberText(-9000), "-9000");
}

}  // namespace
}  // namespace vimtal::json
