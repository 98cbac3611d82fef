#include "core/FixedRecord.h"

#include "core/Errors.h"
#include "core/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

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
    using F = FixedField<Sample>;
    const struct {
        const char* what;
        std::vector<F> fields;
        std::size_t size;
        bool valid;
    } cases[] = {
        {"the sample", {std::begin(kSampleFields), std::end(kSampleFields)}, 14, true},
        {"fields edge to edge, filling the record", {{0, 5, &Sample::name}, {6, &Sample::ticked}}, 7, true},
        {"a flag on the text's last byte", {{0, 5, &Sample::name}, {5, &Sample::ticked}}, 14, false},
        {"out of order", {{6, &Sample::ticked}, {0, 5, &Sample::name}}, 14, false},
        {"past the record's end", {{0, 5, &Sample::name}, {10, 4, &Sample::value}}, 14, false},
        {"a flag past the end", {{0, 5, &Sample::name}, {6, &Sample::ticked}}, 6, false},
        {"a text of no characters", {{0, 0, &Sample::name}}, 14, false},
        {"a text longer than a length byte counts", {{0, 256, &Sample::name}}, 300, false},
        {"no member", {{0, 5, static_cast<std::string Sample::*>(nullptr)}}, 14, false},
        {"no fields", {}, 14, true},
    };
    for (const auto& c : cases) EXPECT_EQ(FixedRecordFormat<Sample>(c.size, c.fields).Valid(), c.valid) << c.what;
}

TEST(FixedRecord, FilesHoldOneRecordAndAShortFileIsAnError) {
    const testing::TempFolder folder;
    const std::string path = folder.File("sample.bin");
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
}

}  // namespace
}  // namespace vimtal
