#include "Files.h"

#include "Errors.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace vimtal {

namespace testing_hooks {
std::function<bool(std::size_t)> writeAllowed;
}

namespace {
namespace fs = std::filesystem;

fs::path ToPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

[[noreturn]] void RaiseFromErrno(int error, bool opening) {
    switch (error) {
    case ENOENT: throw FileError(opening ? FileFault::NotFound : FileFault::PathNotFound, error);
    case ENOTDIR: throw FileError(FileFault::PathNotFound, error);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: throw FileError(FileFault::AccessDenied, error);
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        throw FileError(FileFault::DiskFull, error);
    default: throw FileError(FileFault::Other, error);
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr Open(const fs::path& path, const char* mode) {
    errno = 0;
    FilePtr file(std::fopen(path.c_str(), mode));
    if (!file) RaiseFromErrno(errno, true);
    return file;
}
}  // namespace

Bytes ReadFileBytes(const std::string& path) {
    const fs::path p = ToPath(path);
    std::error_code ec;
    if (fs::is_directory(p, ec)) throw FileError(FileFault::AccessDenied, EISDIR);
    FilePtr file = Open(p, "rb");
    Bytes bytes;
    std::uint8_t chunk[4096];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (n < sizeof chunk) {
            if (std::ferror(file.get())) RaiseFromErrno(errno ? errno : EIO, false);
            break;
        }
    }
    return bytes;
}

Bytes ReadFirstRecord(const std::string& path, std::size_t recordSize) {
    Bytes bytes = ReadFileBytes(path);
    if (bytes.size() < recordSize) throw FileError(FileFault::EndOfFile, 100);
    bytes.resize(recordSize);
    return bytes;
}

void WriteFileAtomically(const std::string& path, const Bytes& bytes) {
    const fs::path target = ToPath(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) throw FileError(FileFault::AccessDenied, EISDIR);

    std::random_device random;
    fs::path temporary = target;
    temporary += ".tmp" + std::to_string(random() % 1000000);

    bool written = false;
    try {
        FilePtr file = Open(temporary, "wb");
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t n = std::min<std::size_t>(4096, bytes.size() - done);
            if (testing_hooks::writeAllowed && !testing_hooks::writeAllowed(done)) {
                throw FileError(FileFault::DiskFull, ENOSPC);
            }
            errno = 0;
            if (std::fwrite(bytes.data() + done, 1, n, file.get()) != n) RaiseFromErrno(errno ? errno : EIO, false);
            done += n;
        }
        if (std::fflush(file.get()) != 0) RaiseFromErrno(errno ? errno : EIO, false);
#if defined(__unix__) || defined(__APPLE__)
        if (::fsync(fileno(file.get())) != 0) RaiseFromErrno(errno ? errno : EIO, false);
#endif
        std::FILE* raw = file.release();
        if (std::fclose(raw) != 0) RaiseFromErrno(errno ? errno : EIO, false);
        fs::rename(temporary, target, ec);
        if (ec) RaiseFromErrno(ec.value(), false);
        written = true;
    } catch (...) {
        if (!written) fs::remove(temporary, ec);
        throw;
    }
}

}  // namespace vimtal
