// Whole-file reading and safe writing of the program's record files.
//
// Writing never destroys the previous file: the bytes go to a temporary file
// beside the target, which is flushed to disk and renamed over the target only
// when everything was written. A full disk or a failed write leaves the old
// file as it was and raises FileError.
#pragma once

#include "ShortString.h"

#include <cstddef>
#include <functional>
#include <string>

namespace vimtal {

// The whole file (paths are UTF-8). Raises FileError when it cannot be read.
Bytes ReadFileBytes(const std::string& path);

// The first `recordSize` bytes of the file; a shorter file raises
// FileError "Read beyond end of file".
Bytes ReadFirstRecord(const std::string& path, std::size_t recordSize);

// Replaces the file's contents with `bytes` as described above.
void WriteFileAtomically(const std::string& path, const Bytes& bytes);

namespace testing_hooks {
// When set, called before each chunk is written to the temporary file with
// the number of bytes written so far; returning false makes that write fail
// as a full disk would. Tests only.
extern std::function<bool(std::size_t)> writeAllowed;
}  // namespace testing_hooks

}  // namespace vimtal
