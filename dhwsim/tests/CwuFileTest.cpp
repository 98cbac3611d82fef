#include "dhwsim/CwuFile.h"

#include "core/Errors.h"
#include "core/testing/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vimtal::dhwsim {
namespace {

// Where each box of the simulation window stands in the 234 bytes.
struct TextAt {
    std::string CwuRecord::*member;
    std::size_t offset;
};
const TextAt kTexts[] = {
    {&CwuRecord::initialTemperature, 0},      {&CwuRecord::height, 11},
    {&CwuRecord::diameter, 22},               {&CwuRecord::insulation, 33},
    {&CwuRecord::insulationConductivity, 44}, {&CwuRecord::wallConductivity, 55},
    {&CwuRecord::airTemperature, 66},         {&CwuRecord::timeStep, 77},
    {&CwuRecord::supplyTemperature, 89},      {&CwuRecord::returnTemperature, 100},
    {&CwuRecord::power, 112},                 {&CwuRecord::massFlow, 123},
    {&CwuRecord::targetTemperature, 135},     {&CwuRecord::targetTime, 146},
    {&CwuRecord::time, 157},                  {&CwuRecord::minutes, 168},
    {&CwuRecord::hours, 179},                 {&CwuRecord::temperature, 190},
    {&CwuRecord::draw, 201},                  {&CwuRecord::cubicMetres, 212},
    {&CwuRecord::litres, 223},
};
struct FlagAt {
    bool CwuRecord::*member;
    std::size_t offset;
};
const FlagAt kFlags[] = {
    {&CwuRecord::waterHeating, 88},
    {&CwuRecord::powerEntrySelected, 111},
    {&CwuRecord::targetTemperatureSelected, 134},
};

TEST(CwuFile, EachFieldLiesAtItsOffset) {
    // Every text different, so that two fields exchanged show.
    CwuRecord record;
    for (std::size_t i = 0; i < std::size(kTexts); ++i) record.*kTexts[i].member = "f" + std::to_string(i * 37);
    for (const FlagAt& f : kFlags) record.*f.member = true;
    const Bytes bytes = kCwuFormat.Encode(record);
    ASSERT_EQ(bytes.size(), 234u);
    for (const TextAt& t : kTexts) {
        const std::string& text = record.*t.member;
        EXPECT_EQ(bytes[t.offset], text.size()) << text;
        EXPECT_EQ(std::string(bytes.begin() + t.offset + 1, bytes.begin() + t.offset + 1 + text.size()), text);
        for (std::size_t k = text.size(); k < 10; ++k) EXPECT_EQ(bytes[t.offset + 1 + k], 0) << text << "+" << k;
    }
    for (const FlagAt& f : kFlags) {
        // Each flag alone: its own byte and no other.
        CwuRecord one;
        one.*f.member = true;
        const Bytes flagged = kCwuFormat.Encode(one);
        for (std::size_t at = 0; at < flagged.size(); ++at) EXPECT_EQ(flagged[at], at == f.offset ? 1 : 0) << at;
        EXPECT_EQ(bytes[f.offset], 1) << f.offset;
    }
    EXPECT_EQ(kCwuFormat.Decode(bytes).litres, record.litres);
}

TEST(CwuFile, OnlyTheFirstRecordIsReadAndAShortFileIsAnError) {
    const vimtal::testing::TempFolder folder;
    const std::filesystem::path dir = folder.Path();
    const std::string path = (dir / "zbiornik.cwu").string();
    CwuRecord record;
    record.initialTemperature = "10";
    record.power = "12,5";
    kCwuFormat.Save(path, record);
    EXPECT_EQ(std::filesystem::file_size(path), 234u);
    {
        std::ofstream extra(path, std::ios::binary | std::ios::app);
        extra << std::string(300, 'x');
    }
    const CwuRecord back = kCwuFormat.Load(path);
    EXPECT_EQ(back.initialTemperature, "10");
    EXPECT_EQ(back.power, "12,5");

    const std::string shortPath = (dir / "krotki.cwu").string();
    {
        std::ofstream cut(shortPath, std::ios::binary);
        cut << std::string(233, '\0');
    }
    EXPECT_THROW(kCwuFormat.Load(shortPath), FileError);
    EXPECT_THROW(kCwuFormat.Load((dir / "brak.cwu").string()), FileError);
}

}  // namespace
}  // namespace vimtal::dhwsim
