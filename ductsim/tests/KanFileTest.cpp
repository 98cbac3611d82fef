#include "ductsim/KanFile.h"

#include "core/Errors.h"
#include "core/Files.h"
#include "core/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace vimtal::ductsim {
namespace {

namespace fs = std::filesystem;

// Every field with a text of its own, so that a swapped offset shows.
KanRecord Distinct() {
    KanRecord r;
    std::string* texts[] = {&r.ti, &r.te, &r.phiI, &r.phiE, &r.pb, &r.flow, &r.lambda1, &r.delta1,
                            &r.lambda2, &r.delta2, &r.length, &r.sideA, &r.sideB, &r.diameter, &r.timeStep,
                            &r.totalTime, &r.velocity, &r.finalTemperature, &r.reynolds, &r.densityInside,
                            &r.densityOutside, &r.viscosityInside, &r.viscosityOutside, &r.alphaInside,
                            &r.alphaOutside, &r.transmittance, &r.heatLoss};
    int i = 0;
    for (std::string* text : texts) text->assign("f").append(std::to_string(i++));
    r.rectangular = false;
    return r;
}

std::string At(const Bytes& bytes, std::size_t offset) {
    return std::string(bytes.begin() + offset + 1, bytes.begin() + offset + 1 + bytes[offset]);
}

class KanFileTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return temp_.File(name); }
    vimtal::testing::TempFolder temp_;
};

TEST_F(KanFileTest, RecordLayout) {
    const Bytes bytes = kKanFormat.Encode(Distinct());
    ASSERT_EQ(bytes.size(), 298u);
    const struct {
        std::size_t offset;
        const char* text;
    } layout[] = {
        {0, "f0"},    {11, "f1"},   {22, "f2"},   {33, "f3"},   {44, "f4"},   {55, "f5"},   {66, "f6"},
        {77, "f7"},   {88, "f8"},   {99, "f9"},   {111, "f10"}, {122, "f11"}, {133, "f12"}, {144, "f13"},
        {155, "f14"}, {166, "f15"}, {177, "f16"}, {188, "f17"}, {199, "f18"}, {210, "f19"}, {221, "f20"},
        {232, "f21"}, {243, "f22"}, {254, "f23"}, {265, "f24"},
        {276, "f25"},  // the transmittance before
        {287, "f26"},  // the heat loss
    };
    for (const auto& field : layout) {
        EXPECT_EQ(At(bytes, field.offset), field.text) << field.offset;
        // Zero-filled after the text.
        for (std::size_t i = field.offset + 1 + bytes[field.offset]; i < field.offset + 11; ++i) {
            EXPECT_EQ(bytes[i], 0) << i;
        }
    }
    EXPECT_EQ(bytes[110], 0);  // round
    KanRecord rectangular;
    EXPECT_EQ(kKanFormat.Encode(rectangular)[110], 1);
}

TEST_F(KanFileTest, RoundTripThroughAFile) {
    KanRecord r = Distinct();
    r.ti = "-12,5";
    r.viscosityInside = "0,00001531";
    r.sideA = "0,2";
    r.diameter = "0,25";
    r.heatLoss = "żółć ĄĘŚ";  // Windows-1250 letters
    const std::string path = Path("a.kan");
    kKanFormat.Save(path, r);
    EXPECT_EQ(fs::file_size(path), 298u);
    const KanRecord back = kKanFormat.Load(path);
    EXPECT_EQ(kKanFormat.Encode(back), kKanFormat.Encode(r));
    EXPECT_EQ(back.heatLoss, "żółć ĄĘŚ");
    EXPECT_EQ(back.diameter, "0,25");
    EXPECT_FALSE(back.rectangular);
}

TEST_F(KanFileTest, LongTextsAreCutToTen) {
    KanRecord r;
    r.flow = "12345678901234";
    r.reynolds = "45412,3456789";
    const KanRecord back = kKanFormat.Decode(kKanFormat.Encode(r));
    EXPECT_EQ(back.flow, "1234567890");
    EXPECT_EQ(back.reynolds, "45412,3456");
    EXPECT_EQ(back.ti, "");
}

TEST_F(KanFileTest, AnyShapeByteOtherThanOneIsRound) {
    for (const int value : {0, 1, 2, 255}) {
        Bytes bytes = kKanFormat.Encode(KanRecord{});
        bytes[110] = static_cast<std::uint8_t>(value);
        EXPECT_EQ(kKanFormat.Decode(bytes).rectangular, value == 1) << value;
    }
}

TEST_F(KanFileTest, ShortAndLongFiles) {
    const Bytes record = kKanFormat.Encode(Distinct());
    WriteFileAtomically(Path("short.kan"), Bytes(record.begin(), record.begin() + 297));
    try {
        kKanFormat.Load(Path("short.kan"));
        ADD_FAILURE() << "a 297-byte file loaded";
    } catch (const FileError& e) {
        EXPECT_EQ(e.Fault(), FileFault::EndOfFile);
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
    Bytes longer = record;
    longer.resize(700, 0x41);
    WriteFileAtomically(Path("long.kan"), longer);
    EXPECT_EQ(kKanFormat.Encode(kKanFormat.Load(Path("long.kan"))), record);
    EXPECT_THROW(kKanFormat.Load(Path("missing.kan")), FileError);
}

}  // namespace
}  // namespace vimtal::ductsim
