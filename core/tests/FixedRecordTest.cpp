#include "core/FixedRecord.h"

#include "core/Errors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace vimtal {
namespace {

struct Sample {
    std::string name;
    bool ticked = false;
    std::string value;
};

inline constexpr FixedField<Sample> kSampleFields[] = {
    {0, 5, &Sample::name},    // bytes 0-5
    {6, &Sample::ticked},     // byte 6
    {8, 3, &Sample::value},   // bytes 8-11; byte 7 and 12-13 stay zero
};
inline constexpr FixedRecordFormat<Sample> kSample{14, kSampleFields};
static_assert(kSample.Valid());

TEST(FixedRecord, FieldsLieAtTheirOffsetsAndTheRestIsZero) {
    struct Case {
        Sample record;
        Bytes bytes;
    } cases[] = {
        {{"ab", true, "1,5"}, {2, 'a', 'b', 0, 0, 0, 1, 0, 3, '1', ',', '5', 0, 0}},
        {{"", false, ""}, Bytes(14, 0)},
        // Cut to the capacity; Polish letters are one Windows-1250 byte each.
        {{"żółwie", false, "12345"}, {5, 0xBF, 0xF3, 0xB3, 'w', 'i', 0, 0, 3, '1', '2', '3', 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kSample.Encode(c.record), c.bytes) << c.record.name;
    }
}

TEST(FixedRecord, ReadsBackWhatItWroteAsTheFieldHoldsIt) {
    const Sample in{"żółwie", true, "€x"};
    const Sample out = kSample.Decode(kSample.Encode(in));
    EXPECT_EQ(out.name, "żółwi");
    EXPECT_EQ(out.name, FitShortString(in.name, 5));
    EXPECT_TRUE(out.ticked);
    EXPECT_EQ(out.value, "€x");
    // A character the code page lacks comes back as '?'.
    EXPECT_EQ(FitShortString("ąβ", 5), "ą?");
}

TEST(FixedRecord, DamagedBytesReadWithinTheirFields) {
    Bytes bytes = kSample.Encode({"abc", false, "xy"});
    bytes[0] = 200;  // a length beyond the capacity reads the capacity only
    bytes[6] = 2;    // a flag other than 1 reads false
    bytes[8] = 255;
    const Sample s = kSample.Decode(bytes);
    EXPECT_EQ(s.name.size(), 5u);
    EXPECT_FALSE(s.ticked);
    EXPECT_EQ(s.value.size(), 3u);
    EXPECT_THROW(kSample.Decode(bytes.data(), 13), std::logic_error);
}

TEST(FixedRecord, LayoutsThatOverlapLeaveTheRecordOrNameNoMemberAreInvalid) {
    static constexpr FixedField<Sample> overlap[] = {{0, 5, &Sample::name}, {5, &Sample::ticked}};
    static constexpr FixedField<Sample> outside[] = {{0, 5, &Sample::name}, {10, 4, &Sample::value}};
    static constexpr FixedField<Sample> empty[] = {{0, 0, &Sample::name}};
    static constexpr FixedField<Sample> nothing[] = {{0, 5, static_cast<std::string Sample::*>(nullptr)}};
    static_assert(!FixedRecordFormat<Sample>(14, overlap).Valid());
    static_assert(!FixedRecordFormat<Sample>(14, outside).Valid());
    static_assert(!FixedRecordFormat<Sample>(14, empty).Valid());
    static_assert(!FixedRecordFormat<Sample>(14, nothing).Valid());
    static_assert(FixedRecordFormat<Sample>(6, std::span(kSampleFields, 1)).Valid());
    SUCCEED();
}

TEST(FixedRecord, FilesHoldOneRecordAndAShortFileIsAnError) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vimtal_fixed_record_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "sample.bin").string();
    kSample.Save(path, {"kot", true, "7"});
    EXPECT_EQ(std::filesystem::file_size(path), 14u);
    const Sample s = kSample.Load(path);
    EXPECT_EQ(s.name, "kot");
    EXPECT_TRUE(s.ticked);
    EXPECT_EQ(s.value, "7");
    {
        std::ofstream shorter(path, std::ios::binary | std::ios::trunc);
        shorter << "abc";
    }
    EXPECT_THROW(kSample.Load(path), FileError);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vimtal
