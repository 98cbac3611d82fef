#include "dhwsim/CwuFile.h"

#include "core/Errors.h"
#include "core/Files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace vimtal::dhwsim {
namespace {

CwuRecord Sample() {
    CwuRecord r;
    const char* texts[] = {"10",     "0,509296", "0,5", "90",   "0,025", "60", "20",  "1",
                           nullptr,  "80",       "70",  nullptr, "12,5", "0,0340948",
                           nullptr,  "55",       "",    "1234", "20,6", "0,34", "", "0,0482", "0,0982", "98,17"};
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (texts[i]) r[i].text = texts[i];
    }
    r[8].flag = true;    // water heating
    r[11].flag = false;  // mass-flow entry
    r[14].flag = true;   // target temperature
    return r;
}

TEST(CwuFile, FieldsLieAtTheirOffsets) {
    const Bytes bytes = EncodeCwu(Sample());
    ASSERT_EQ(bytes.size(), 234u);
    struct Case {
        std::size_t offset;
        std::string text;
    } strings[] = {{0, "10"}, {11, "0,509296"}, {22, "0,5"}, {77, "1"}, {89, "80"}, {100, "70"}, {112, "12,5"},
                   {123, "0,0340948"}, {135, "55"}, {146, ""}, {157, "1234"}, {201, "0,0482"}, {223, "98,17"}};
    for (const Case& c : strings) {
        EXPECT_EQ(bytes[c.offset], c.text.size()) << c.offset;
        for (std::size_t k = 0; k < 10; ++k) {
            const std::uint8_t expected = k < c.text.size() ? static_cast<std::uint8_t>(c.text[k]) : 0;
            EXPECT_EQ(bytes[c.offset + 1 + k], expected) << c.offset << "+" << k;
        }
    }
    EXPECT_EQ(bytes[88], 1);
    EXPECT_EQ(bytes[111], 0);
    EXPECT_EQ(bytes[134], 1);
}

TEST(CwuFile, RoundTripCutsLongTextsAndReadsFlagsStrictly) {
    CwuRecord r = Sample();
    r[17].text = "1234,56789";   // 10 characters: kept
    r[18].text = "20,5761316";   // 10
    r[19].text = "0,342935528";  // 11: cut to 10
    r[0].text = "ąę";            // Windows-1250 letters survive
    const CwuRecord back = DecodeCwu(EncodeCwu(r));
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (kCwuFields[i].flag) {
            EXPECT_EQ(back[i].flag, r[i].flag) << kCwuFields[i].control;
        } else if (i != 19) {
            EXPECT_EQ(back[i].text, r[i].text) << kCwuFields[i].control;
        }
    }
    EXPECT_EQ(back[19].text, "0,34293552");

    // A flag byte other than 1 is false.
    Bytes bytes = EncodeCwu(r);
    bytes[88] = 2;
    bytes[134] = 0;
    const CwuRecord odd = DecodeCwu(bytes);
    EXPECT_FALSE(odd[8].flag);
    EXPECT_FALSE(odd[14].flag);
}

TEST(CwuFile, SavedFileOpensAndShortFileIsAnError) {
    const auto dir = std::filesystem::temp_directory_path() / "dhwsim_cwu_test";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "zbiornik.cwu").string();
    SaveCwu(path, Sample());
    EXPECT_EQ(std::filesystem::file_size(path), 234u);
    const CwuRecord back = LoadCwu(path);
    EXPECT_EQ(back[12].text, "12,5");
    EXPECT_FALSE(back[11].flag);

    // Only the first record of a longer file is read.
    {
        std::ofstream extra(path, std::ios::binary | std::ios::app);
        extra << std::string(100, 'x');
    }
    EXPECT_EQ(LoadCwu(path)[0].text, "10");

    const std::string shortPath = (dir / "krotki.cwu").string();
    {
        std::ofstream cut(shortPath, std::ios::binary);
        const Bytes bytes = EncodeCwu(Sample());
        cut.write(reinterpret_cast<const char*>(bytes.data()), 233);
    }
    EXPECT_THROW(LoadCwu(shortPath), FileError);
    EXPECT_THROW(LoadCwu((dir / "brak.cwu").string()), FileError);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vimtal::dhwsim
