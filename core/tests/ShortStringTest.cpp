#include "core/ShortString.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace vimtal {
namespace {

TEST(Cp1250, EveryPolishLetterRoundTripsThroughItsByte) {
    struct Case {
        const char* letter;
        std::uint8_t byte;
    } cases[] = {{"ą", 0xB9}, {"ć", 0xE6}, {"ę", 0xEA}, {"ł", 0xB3}, {"ń", 0xF1}, {"ó", 0xF3}, {"ś", 0x9C},
                 {"ź", 0x9F}, {"ż", 0xBF}, {"Ą", 0xA5}, {"Ć", 0xC6}, {"Ę", 0xCA}, {"Ł", 0xA3}, {"Ń", 0xD1},
                 {"Ó", 0xD3}, {"Ś", 0x8C}, {"Ź", 0x8F}, {"Ż", 0xAF}, {"°", 0xB0}, {"€", 0x80}};
    for (const Case& c : cases) {
        const Bytes encoded = Utf8ToCp1250(c.letter);
        ASSERT_EQ(encoded.size(), 1u) << c.letter;
        EXPECT_EQ(encoded[0], c.byte) << c.letter;
        EXPECT_EQ(Cp1250ToUtf8(encoded.data(), 1), c.letter);
    }
}

TEST(Cp1250, AllDefinedBytesRoundTripAndUndefinedOnesBecomeReplacement) {
    for (int b = 0; b < 256; ++b) {
        const std::uint8_t byte = static_cast<std::uint8_t>(b);
        const std::string text = Cp1250ToUtf8(&byte, 1);
        const bool undefined = b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
        if (undefined) {
            EXPECT_EQ(text, "\xEF\xBF\xBD") << b;
        } else {
            EXPECT_EQ(Utf8ToCp1250(text), Bytes{byte}) << b;
        }
    }
}

TEST(Cp1250, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1250("a\xE2\x88\x9E" "b"), (Bytes{'a', '?', 'b'}));  // infinity sign
    EXPECT_EQ(Utf8ToCp1250("\xFF" "x"), (Bytes{'?', 'x'}));
    EXPECT_EQ(Utf8ToCp1250("\xC5"), (Bytes{'?'}));  // cut sequence
    EXPECT_EQ(Utf8ToCp1250("\xF0\x9F\x98\x80"), (Bytes{'?'}));  // outside the BMP
}

TEST(ShortStringField, WriteCutsToCapacityAndZeroFills) {
    struct Case {
        std::string text;
        std::size_t capacity;
        std::string stored;
    } cases[] = {
        {"0,35", 10, "0,35"},
        {"12345678901", 10, "1234567890"},
        {"Łuk żółty ćma", 10, "Łuk żółty "},
        {"", 10, ""},
        {"abc", 0, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> field(c.capacity + 3, 0xEE);  // guard bytes after the field
        WriteShortString(field.data(), c.capacity, c.text);
        EXPECT_EQ(ReadShortString(field.data(), c.capacity), c.stored) << c.text;
        const std::size_t length = field[0];
        EXPECT_EQ(length, Utf8ToCp1250(c.stored).size());
        for (std::size_t i = 1 + length; i <= c.capacity; ++i) EXPECT_EQ(field[i], 0) << c.text << " byte " << i;
        EXPECT_EQ(field[c.capacity + 1], 0xEE) << "wrote past the field";
        EXPECT_EQ(field[c.capacity + 2], 0xEE) << "wrote past the field";
    }
}

TEST(ShortStringField, ReadNeverPassesTheField) {
    // A length byte above the capacity reads only the capacity.
    std::uint8_t field[12] = {200, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'X'};
    EXPECT_EQ(ReadShortString(field, 10), "abcdefghij");
    // Random fields, read with a vector sized exactly to the field so that a
    // sanitizer build would catch any read past it.
    std::mt19937 random(3);
    for (int i = 0; i < 5000; ++i) {
        const std::size_t capacity = random() % 45;
        std::vector<std::uint8_t> bytes(capacity + 1);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
        const std::string text = ReadShortString(bytes.data(), capacity);
        EXPECT_LE(Utf8ToCp1250(text).size(), capacity);
    }
}

TEST(RecordBuffer, FieldsAtOffsetsAndBoundsChecks) {
    RecordBuffer record(23);
    record.PutString(0, 10, "20");
    record.PutString(11, 10, "Ćma");
    record.PutFlag(22, true);
    EXPECT_EQ(record.GetString(0, 10), "20");
    EXPECT_EQ(record.GetString(11, 10), "Ćma");
    EXPECT_EQ(record.GetByte(22), 1);
    EXPECT_EQ(record.bytes()[11], 3);
    EXPECT_THROW(record.PutString(13, 10, "x"), std::out_of_range);
    EXPECT_THROW(record.GetByte(23), std::out_of_range);
    EXPECT_THROW(record.GetString(static_cast<std::size_t>(-1), 10), std::out_of_range);
}

}  // namespace
}  // namespace vimtal
