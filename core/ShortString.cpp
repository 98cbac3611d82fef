#include "ShortString.h"

#include <algorithm>
#include <stdexcept>

namespace vimtal {

namespace {
// Unicode code points of bytes 0x80-0xFF; 0 marks the five undefined bytes.
constexpr char16_t kHighHalf[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at text[i]; a malformed byte yields U+FFFD and
// advances by one.
char32_t NextCodePoint(const std::string& text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + length > text.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    i += length;
    return cp;
}
}  // namespace

Bytes Utf8ToCp1250(const std::string& text) {
    Bytes out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = NextCodePoint(text, i);
        if (cp < 0x80) {
            out.push_back(static_cast<std::uint8_t>(cp));
            continue;
        }
        const auto* found = std::find(std::begin(kHighHalf), std::end(kHighHalf), static_cast<char16_t>(cp));
        if (cp <= 0xFFFF && found != std::end(kHighHalf)) {
            out.push_back(static_cast<std::uint8_t>(0x80 + (found - std::begin(kHighHalf))));
        } else {
            out.push_back('?');
        }
    }
    return out;
}

std::string Cp1250ToUtf8(const std::uint8_t* bytes, std::size_t count) {
    std::string out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
        } else {
            const char16_t cp = kHighHalf[b - 0x80];
            AppendUtf8(out, cp == 0 ? 0xFFFD : cp);
        }
    }
    return out;
}

void WriteShortString(std::uint8_t* field, std::size_t capacity, const std::string& text) {
    Bytes encoded = Utf8ToCp1250(text);
    const std::size_t length = std::min({encoded.size(), capacity, std::size_t{255}});
    std::fill(field, field + capacity + 1, std::uint8_t{0});
    field[0] = static_cast<std::uint8_t>(length);
    std::copy(encoded.begin(), encoded.begin() + static_cast<std::ptrdiff_t>(length), field + 1);
}

std::string ReadShortString(const std::uint8_t* field, std::size_t capacity) {
    const std::size_t length = std::min<std::size_t>(field[0], capacity);
    return Cp1250ToUtf8(field + 1, length);
}

void RecordBuffer::Check(std::size_t offset, std::size_t length) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset) {
        throw std::out_of_range("record field outside the record");
    }
}

void RecordBuffer::PutString(std::size_t offset, std::size_t capacity, const std::string& text) {
    Check(offset, capacity + 1);
    WriteShortString(bytes_.data() + offset, capacity, text);
}

std::string RecordBuffer::GetString(std::size_t offset, std::size_t capacity) const {
    Check(offset, capacity + 1);
    return ReadShortString(bytes_.data() + offset, capacity);
}

void RecordBuffer::PutFlag(std::size_t offset, bool value) {
    Check(offset, 1);
    bytes_[offset] = value ? 1 : 0;
}

std::uint8_t RecordBuffer::GetByte(std::size_t offset) const {
    Check(offset, 1);
    return bytes_[offset];
}

std::string FitShortString(const std::string& text, std::size_t capacity) {
    Bytes field(capacity + 1, 0);
    WriteShortString(field.data(), capacity, text);
    return ReadShortString(field.data(), capacity);
}

}  // namespace vimtal
