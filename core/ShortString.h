// Short-string fields of the program's record files.
//
// A field of capacity N takes N + 1 bytes: a length byte followed by N bytes
// of text in the Windows-1250 code page (the Central European code page of
// the program's files), zero-filled after the text. Numbers are stored as
// the text their box showed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vimtal {

using Bytes = std::vector<std::uint8_t>;

// UTF-8 -> Windows-1250; a character the code page lacks becomes '?'.
Bytes Utf8ToCp1250(const std::string& text);
// Windows-1250 -> UTF-8; the five bytes the code page leaves undefined become
// U+FFFD (the replacement character).
std::string Cp1250ToUtf8(const std::uint8_t* bytes, std::size_t count);

// Writes the field at `field` (capacity + 1 bytes): the text cut to its first
// `capacity` characters, then zeros.
void WriteShortString(std::uint8_t* field, std::size_t capacity, const std::string& text);
// Reads the field; a length byte above the capacity reads only `capacity`
// characters, never past the field.
std::string ReadShortString(const std::uint8_t* field, std::size_t capacity);
// The text a field of `capacity` characters gives back after it was written:
// cut to its first `capacity` Windows-1250 characters, a character the code
// page lacks turned into '?'.
std::string FitShortString(const std::string& text, std::size_t capacity);

// A fixed-size record with typed accessors at byte offsets. Every accessor
// checks the offset against the record size (a logic error, not user data).
class RecordBuffer {
public:
    explicit RecordBuffer(std::size_t size) : bytes_(size, 0) {}
    explicit RecordBuffer(Bytes bytes) : bytes_(std::move(bytes)) {}

    void PutString(std::size_t offset, std::size_t capacity, const std::string& text);
    std::string GetString(std::size_t offset, std::size_t capacity) const;
    // Flags are one byte, 1 for true and 0 for false.
    void PutFlag(std::size_t offset, bool value);
    std::uint8_t GetByte(std::size_t offset) const;

    const Bytes& bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    void Check(std::size_t offset, std::size_t length) const;
    Bytes bytes_;
};

}  // namespace vimtal
