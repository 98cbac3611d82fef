// Fixed-size records of the program's files (.cwu, .kan, .moh).
//
// A record is a run of fields at fixed byte offsets: short strings (a length
// byte and `capacity` bytes of Windows-1250 text, zero-filled after the text)
// and one-byte flags (1 for true). A record type is a plain struct of named
// members; its file format is the table of its fields, each with its offset,
// its capacity and the member that holds its value:
//
//   struct Tank { std::string height; bool water = false; };
//   inline constexpr FixedField<Tank> kTankFields[] = {
//       {0, 10, &Tank::height},  // 11 bytes: length + 10 characters
//       {11, &Tank::water},      // flag byte
//   };
//   inline constexpr FixedRecordFormat<Tank> kTankFormat{12, kTankFields};
//   static_assert(kTankFormat.Valid());
//
// One writer and one reader serve every format, and a window that writes a
// record back field by field walks the same table in the record's order.
#pragma once

#include "core/Files.h"
#include "core/ShortString.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace vimtal {

template <typename Record>
struct FixedField {
    // A short string of `capacity` characters: capacity + 1 bytes.
    constexpr FixedField(std::size_t at, std::size_t characters, std::string Record::*member)
        : offset(at), capacity(characters), text(member) {}
    // A flag: one byte, 1 for true and 0 for false.
    constexpr FixedField(std::size_t at, bool Record::*member) : offset(at), flag(member) {}

    constexpr std::size_t Width() const { return text ? capacity + 1 : 1; }
    constexpr bool IsFlag() const { return flag != nullptr; }

    std::size_t offset = 0;
    std::size_t capacity = 0;
    std::string Record::*text = nullptr;
    bool Record::*flag = nullptr;
};

template <typename Record>
class FixedRecordFormat {
public:
    constexpr FixedRecordFormat(std::size_t size, std::span<const FixedField<Record>> fields)
        : size_(size), fields_(fields) {}

    constexpr std::size_t Size() const { return size_; }
    // In the order of the record.
    constexpr std::span<const FixedField<Record>> Fields() const { return fields_; }

    // True when the fields follow each other without overlapping, each lies
    // inside the record and names exactly one member; checked at compile
    // time where a format is defined.
    constexpr bool Valid() const {
        std::size_t end = 0;
        for (const FixedField<Record>& f : fields_) {
            if ((f.text == nullptr) == (f.flag == nullptr)) return false;
            if (f.text && (f.capacity == 0 || f.capacity > 255)) return false;
            if (f.offset < end || f.offset + f.Width() > size_) return false;
            end = f.offset + f.Width();
        }
        return true;
    }

    // The record's bytes: zero-filled, each text cut to its capacity.
    Bytes Encode(const Record& record) const {
        Bytes bytes(size_, 0);
        EncodeInto(record, bytes.data());
        return bytes;
    }
    // Writes the record's Size() bytes at `out`.
    void EncodeInto(const Record& record, std::uint8_t* out) const {
        for (const FixedField<Record>& f : fields_) {
            if (f.flag) {
                out[f.offset] = record.*f.flag ? 1 : 0;
            } else {
                WriteShortString(out + f.offset, f.capacity, record.*f.text);
            }
        }
    }

    // The record at `bytes`, of which `count` are readable; fewer than
    // Size() is a programming error of the caller (files are checked when
    // read). A length byte above the capacity reads only the capacity; a
    // flag byte other than 1 reads as false.
    Record Decode(const std::uint8_t* bytes, std::size_t count) const {
        if (count < size_) throw std::logic_error("a fixed record read from too few bytes");
        Record record{};
        for (const FixedField<Record>& f : fields_) {
            if (f.flag) {
                record.*f.flag = bytes[f.offset] == 1;
            } else {
                record.*f.text = ReadShortString(bytes + f.offset, f.capacity);
            }
        }
        return record;
    }
    Record Decode(const Bytes& bytes) const { return Decode(bytes.data(), bytes.size()); }

    // The file holds the one record, written safely (core/Files.h).
    void Save(const std::string& path, const Record& record) const { WriteFileAtomically(path, Encode(record)); }
    // The first record of the file; FileError when the file cannot be read
    // or is shorter than one record.
    Record Load(const std::string& path) const { return Decode(ReadFirstRecord(path, size_)); }

private:
    std::size_t size_;
    std::span<const FixedField<Record>> fields_;
};

}  // namespace vimtal
