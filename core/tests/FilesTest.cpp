#include "core/Errors.h"
#include "core/Files.h"
#include "core/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vimtal {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
protected:
    void TearDown() override { testing_hooks::writeAllowed = nullptr; }
    std::string Path(const std::string& name) const { return (dir_ / fs::path(std::u8string(name.begin(), name.end()))).string(); }
    std::size_t FilesInDir() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator())); }

    vimtal::testing::TempFolder folder_;
    fs::path dir_ = folder_.Path();
};

TEST_F(FilesTest, WriteThenReadBack) {
    const Bytes data{1, 2, 3, 0, 255};
    WriteFileAtomically(Path("a.cwu"), data);
    EXPECT_EQ(ReadFileBytes(Path("a.cwu")), data);
    EXPECT_EQ(ReadFirstRecord(Path("a.cwu"), 3), (Bytes{1, 2, 3}));
    // Overwriting replaces the contents; no temporary file is left behind.
    WriteFileAtomically(Path("a.cwu"), Bytes{9});
    EXPECT_EQ(ReadFileBytes(Path("a.cwu")), Bytes{9});
    EXPECT_EQ(FilesInDir(), 1u);
    // An empty table writes a zero-length file.
    WriteFileAtomically(Path("empty.moh"), Bytes{});
    EXPECT_TRUE(ReadFileBytes(Path("empty.moh")).empty());
}

TEST_F(FilesTest, PolishFileNames) {
    WriteFileAtomically(Path("kanał źródło.kan"), Bytes{7});
    EXPECT_EQ(ReadFileBytes(Path("kanał źródło.kan")), Bytes{7});
}

TEST_F(FilesTest, AFailedWriteLeavesTheOldFileIntact) {
    const Bytes old(1000, 42);
    WriteFileAtomically(Path("circuit.moh"), old);
    testing_hooks::writeAllowed = [](std::size_t written) { return written < 4096; };
    try {
        WriteFileAtomically(Path("circuit.moh"), Bytes(10000, 7));
        FAIL() << "the write did not fail";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Fault(), FileFault::DiskFull);
        EXPECT_STREQ(e.what(), "Disk full");
    }
    testing_hooks::writeAllowed = nullptr;
    EXPECT_EQ(ReadFileBytes(Path("circuit.moh")), old);
    EXPECT_EQ(FilesInDir(), 1u) << "the temporary file was not removed";
}

TEST_F(FilesTest, ReadErrors) {
    struct Case {
        std::string path;
        FileFault fault;
        const char* message;
    } cases[] = {
        {Path("missing.cwu"), FileFault::NotFound, "File not found"},
        {Path("no/such/dir/x.cwu"), FileFault::NotFound, "File not found"},
        {dir_.string(), FileFault::AccessDenied, "File access denied"},
    };
    for (const Case& c : cases) {
        try {
            ReadFileBytes(c.path);
            ADD_FAILURE() << c.path;
        } catch (const FileError& e) {
            EXPECT_EQ(e.Fault(), c.fault) << c.path;
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    WriteFileAtomically(Path("short.kan"), Bytes(297, 1));
    try {
        ReadFirstRecord(Path("short.kan"), 298);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.Fault(), FileFault::EndOfFile);
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
}

TEST_F(FilesTest, WriteErrors) {
    EXPECT_THROW(WriteFileAtomically(Path("no/such/dir/x.cwu"), Bytes{1}), FileError);
    EXPECT_THROW(WriteFileAtomically(dir_.string(), Bytes{1}), FileError);
    EXPECT_TRUE(fs::is_directory(dir_));
}

}  // namespace
}  // namespace vimtal
