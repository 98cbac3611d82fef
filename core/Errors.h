// Errors that end the running event handler.
//
// Every calculation reports a failure by throwing one of these. The handler
// that was running stops at that point: what it stored before the throw stays
// stored, nothing after it runs. The window layer catches them in one place
// and shows the message in the "VIMTAL" error box.
#pragma once

#include <stdexcept>
#include <string>

namespace vimtal {

// Base of every error the program itself raises; what() is the text shown to
// the user.
class VimtalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that is not a number in the locale's format.
class ConversionError : public VimtalError {
public:
    enum class Kind { Float, Integer };
    explicit ConversionError(const std::string& text, Kind kind = Kind::Float);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// The three floating-point faults that are reported (underflow and inexact
// results pass silently).
enum class FloatFault { DivisionByZero, Overflow, InvalidOperation };

class FloatingPointError : public VimtalError {
public:
    explicit FloatingPointError(FloatFault fault);
    FloatFault Fault() const { return fault_; }

private:
    FloatFault fault_;
};

// A file that cannot be opened, read or written. The messages are the short
// runtime texts users of the program know ("File not found", ...).
enum class FileFault { NotFound, PathNotFound, AccessDenied, EndOfFile, DiskFull, Other };

class FileError : public VimtalError {
public:
    explicit FileError(FileFault fault, int code = 0);
    FileFault Fault() const { return fault_; }

private:
    FileFault fault_;
};

// A condition the program refuses with a message of its own (for instance a
// search that could not end in reasonable time). The window shows it in a
// message box with the given title instead of the error box.
class NoticeError : public VimtalError {
public:
    NoticeError(const std::string& message, const std::string& title)
        : VimtalError(message), title_(title) {}
    const std::string& Title() const { return title_; }

private:
    std::string title_;
};

}  // namespace vimtal
