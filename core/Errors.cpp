#include "Errors.h"

namespace vimtal {

ConversionError::ConversionError(const std::string& text, Kind kind)
    : VimtalError("'" + text + "' is not a valid " +
                  (kind == Kind::Integer ? "integer" : "floating point") + " value."),
      text_(text) {}

namespace {
const char* FloatFaultMessage(FloatFault fault) {
    switch (fault) {
    case FloatFault::DivisionByZero: return "Floating point division by zero";
    case FloatFault::Overflow: return "Floating point overflow";
    case FloatFault::InvalidOperation: break;
    }
    return "Invalid floating point operation";
}

std::string FileFaultMessage(FileFault fault, int code) {
    switch (fault) {
    case FileFault::NotFound: return "File not found";
    case FileFault::PathNotFound: return "Path not found";
    case FileFault::AccessDenied: return "File access denied";
    case FileFault::EndOfFile: return "Read beyond end of file";
    case FileFault::DiskFull: return "Disk full";
    case FileFault::Other: break;
    }
    return "I/O error " + std::to_string(code);
}
}  // namespace

FloatingPointError::FloatingPointError(FloatFault fault)
    : VimtalError(FloatFaultMessage(fault)), fault_(fault) {}

FileError::FileError(FileFault fault, int code)
    : VimtalError(FileFaultMessage(fault, code)), fault_(fault) {}

}  // namespace vimtal
