#include "pressureloss/CircuitColumns.h"
#include "pressureloss/FittingRecord.h"

#include "TestSupport.h"

#include "core/Errors.h"
#include "core/Files.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vimtal::pressureloss {
namespace {

using testing::CommaLocale;
using testing::TempFolder;

FittingRecord Fitting(const std::string& name, const std::string& total) {
    FittingRecord record;
    record.Set(Field::Name, name);
    record.Set(Field::Kind, "1");
    record.Set(Field::TotalLoss, total);
    return record;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(FittingRecordLayout, FieldsSitAtTheirFileOffsets) {
    struct Case {
        Field field;
        std::size_t offset, capacity;
    };
    const Case cases[] = {
        {Field::Ordinal, 0, 3},          {Field::Name, 4, 40},           {Field::TypeCode, 45, 10},
        {Field::Length, 56, 10},         {Field::SideA, 67, 10},         {Field::Diameter1, 78, 10},
        {Field::SideB, 89, 10},          {Field::Diameter2, 100, 10},    {Field::SideC, 111, 10},
        {Field::SideD, 122, 10},         {Field::Angle, 133, 10},        {Field::Flow, 144, 10},
        {Field::BranchFlow, 155, 10},    {Field::Velocity1, 166, 10},    {Field::Velocity2, 177, 10},
        {Field::ExtraLoss, 188, 10},     {Field::Zeta, 199, 10},         {Field::Roughness, 210, 10},
        {Field::FrictionLoss, 221, 10},  {Field::LocalLoss, 232, 10},    {Field::TotalLoss, 243, 10},
        {Field::EquivDiameter, 254, 10}, {Field::EquivDiameter2, 265, 10}, {Field::Kind, 276, 2},
        {Field::RoundElbowType, 279, 11}, {Field::RectElbowType, 291, 6}, {Field::Material, 298, 10},
        {Field::Radius, 309, 10},        {Field::OffsetE, 320, 10},      {Field::TeePath, 331, 15},
        {Field::TeeFlow, 347, 15},       {Field::RoundElbowTypeCopy, 363, 15},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FieldFormat(c.field).offset, c.offset) << static_cast<int>(c.field);
        EXPECT_EQ(FieldFormat(c.field).capacity, c.capacity) << static_cast<int>(c.field);
        // The field's text lands at its own offset.
        FittingRecord record;
        record.Set(c.field, "7");
        const Bytes b = kFittingFormat.Encode(record);
        EXPECT_EQ(b[c.offset], 1) << static_cast<int>(c.field);
        EXPECT_EQ(b[c.offset + 1], '7') << static_cast<int>(c.field);
    }
    // Writing a field touches its own bytes only: length byte, then cp1250 text.
    FittingRecord record;
    record.Set(Field::TeeFlow, "ŁĄCZENIE STRUG");
    const Bytes b = kFittingFormat.Encode(record);
    ASSERT_EQ(b.size(), kRecordSize);
    EXPECT_EQ(b[347], 14);
    EXPECT_EQ(b[348], 0xA3);  // Ł in Windows-1250
    EXPECT_EQ(b[349], 0xA5);  // Ą
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (i < 347 || i > 361) {
            EXPECT_EQ(b[i], 0) << "byte " << i;
        }
    }
}

TEST(FittingRecordLayout, LongTextsAreCutToTheFieldCapacity) {
    struct Case {
        Field field;
        std::string text, stored;
    };
    const Case cases[] = {
        {Field::Name, "CZERPNIA/WYRZUTNIA_DACHOWA_PROSTOKĄTNA_EXTRA", "CZERPNIA/WYRZUTNIA_DACHOWA_PROSTOKĄTNA_E"},
        {Field::Flow, "12345,678901", "12345,6789"},
        {Field::Length, "ĄĄĄĄĄĄĄĄĄĄĄĄ", "ĄĄĄĄĄĄĄĄĄĄ"},  // characters, not UTF-8 bytes
        {Field::Kind, "123", "12"},
        {Field::Angle, "90", "90"},
    };
    for (const Case& c : cases) {
        FittingRecord record;
        record.Set(c.field, c.text);
        EXPECT_EQ(record.Get(c.field), c.stored);
    }
}

TEST(FittingRecordLayout, ALengthByteAboveTheCapacityReadsOnlyTheField) {
    FittingRecord source;
    source.Set(Field::Kind, "18");
    source.Set(Field::RoundElbowType, "KOLANO");
    Bytes bytes = kFittingFormat.Encode(source);
    bytes[FieldFormat(Field::Kind).offset] = 255;
    const FittingRecord record = kFittingFormat.Decode(bytes);
    EXPECT_EQ(record.Get(Field::Kind), "18");  // the two bytes of the field, then the next field's length byte is not read
    EXPECT_EQ(record.Get(Field::RoundElbowType), "KOLANO");
}

TEST(Circuit, AppendNumbersTheFittingsFromZeroAndRefusesThe102nd) {
    Circuit circuit;
    for (int i = 0; i < kTableSlots; ++i) {
        EXPECT_EQ(circuit.Append(Fitting("F" + std::to_string(i), "1")), i);
    }
    EXPECT_EQ(circuit.FieldText(0, Field::Ordinal), "0");
    EXPECT_EQ(circuit.FieldText(100, Field::Ordinal), "100");
    EXPECT_EQ(circuit.FieldText(100, Field::Name), "F100");
    try {
        circuit.Append(Fitting("too many", "1"));
        FAIL() << "the 102nd fitting was accepted";
    } catch (const NoticeError& e) {
        EXPECT_EQ(e.Title(), "BRENTAX info");
        EXPECT_NE(std::string(e.what()).find("101"), std::string::npos);
    }
    EXPECT_EQ(circuit.Count(), kTableSlots);
    EXPECT_EQ(circuit.FieldText(100, Field::Name), "F100");
    // Rows beyond the table read as empty.
    EXPECT_EQ(circuit.FieldText(101, Field::Name), "");
    EXPECT_EQ(circuit.FieldText(-1, Field::Name), "");
}

TEST(Circuit, DeleteMovesTheLaterFittingsUpAndRenumbersThem) {
    struct Case {
        int removed;
        std::vector<std::string> names;
    };
    const Case cases[] = {{0, {"B", "C"}}, {1, {"A", "C"}}, {2, {"A", "B"}}};
    for (const Case& c : cases) {
        Circuit circuit;
        for (const char* name : {"A", "B", "C"}) circuit.Append(Fitting(name, "1"));
        circuit.Delete(c.removed);
        ASSERT_EQ(circuit.Count(), 2);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(circuit.FieldText(i, Field::Name), c.names[static_cast<std::size_t>(i)]);
            EXPECT_EQ(circuit.FieldText(i, Field::Ordinal), std::to_string(i));
        }
        // The freed slot is empty: every field of length 0.
        EXPECT_EQ(circuit.Slot(2), FittingRecord{});
    }
    Circuit circuit;
    circuit.Append(Fitting("A", "1"));
    EXPECT_THROW(circuit.Delete(1), std::out_of_range);
    EXPECT_EQ(circuit.Count(), 1);
}

TEST(Circuit, ReplaceKeepsThePositionAndTheCount) {
    Circuit circuit;
    for (const char* name : {"A", "B", "C"}) circuit.Append(Fitting(name, "1"));
    FittingRecord other = Fitting("X", "2");
    other.Set(Field::Ordinal, "77");
    circuit.Replace(1, other);
    EXPECT_EQ(circuit.Count(), 3);
    EXPECT_EQ(circuit.FieldText(1, Field::Name), "X");
    EXPECT_EQ(circuit.FieldText(1, Field::Ordinal), "1");
    EXPECT_THROW(circuit.Replace(3, other), std::out_of_range);
}

TEST(Circuit, ClearEmptiesEveryUsedRecordAndTheTotal) {
    Circuit circuit;
    for (const char* name : {"A", "B"}) circuit.Append(Fitting(name, "1"));
    circuit.runningTotal = 12.5;
    circuit.Clear();
    EXPECT_EQ(circuit.Count(), 0);
    EXPECT_EQ(circuit.runningTotal, 0.0);
    EXPECT_EQ(circuit.Slot(0), FittingRecord{});
    EXPECT_EQ(circuit.Slot(1), FittingRecord{});
}

TEST(CircuitTable, TitlesAndEveryFittingsTextsInTheWindowsColumnOrder) {
    EXPECT_EQ(TableOfCircuit(Circuit{}).rows.size(), 0u);
    Circuit circuit;
    circuit.Append(Fitting("A", "1"));
    FittingRecord second;
    for (int f = 0; f < kFieldCount; ++f) second.Set(static_cast<Field>(f), "f" + std::to_string(f));
    circuit.Append(second);
    const CircuitTable table = TableOfCircuit(circuit);
    EXPECT_EQ(table.titles, (std::vector<std::string>{"Lp", "Nazwa kształtki", "Przepływ\nV [m3/h]",
                                                      "Prędkość\nw [m/s]", "Długość\nL [mm]", "Średnica\nzastępcza",
                                                      "ξ\n[-]", "Strata liniowa\ndpl [Pa]",
                                                      "Strata miejscowa\ndpm [Pa]", "Strata +\ndpp [Pa]",
                                                      "Strata całkowita\ndpc [Pa]"}));
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0][1], "A");
    // Ordinal, name, flow, w1, L, d, zeta, dpl, dpm, dpp, dpc.
    EXPECT_EQ(table.rows[1], (std::vector<std::string>{"1", "f1", "f11", "f13", "f3", "f21", "f16", "f18", "f19", "f15",
                                                       "f20"}));
}

// A report's details of a fitting: what its kind has, the texts as kept
// (every field filled in, so a field the kind lacks would show).
TEST(CircuitTable, DetailsOfAFittingAreWhatItsKindHas) {
    struct Case {
        const char* kind;
        const char* sizes;
        const char* angle;
        const char* radius;
        const char* construction;
    } cases[] = {
        {"1", "L = 2000; Φ1 = 160", "", "", ""},
        {"2", "Φ1 = 160", "90", "80", "ŁUK GŁADKI"},
        {"3", "L = 2000; Φ1 = 160; e = 50", "", "", ""},
        {"4", "L = 2000; Φ1 = 160; Φ2 = 125", "90", "", "PRZELOT, ROZPŁYW"},
        {"8", "L = 2000; Φ1 = 160; Φ2 = 125", "90", "", ""},
        {"9", "Φ1 = 160", "", "", ""},
        {"11", "A = 400; B = 200", "90", "80", "ŁUK"},
        {"13", "L = 2000; A = 400; B = 200; C = 300; D = 150", "90", "", "PRZELOT, ROZPŁYW"},
        {"17", "L = 2000; A = 400; B = 200; C = 300; D = 150", "", "", ""},
        // A kind this program does not know: every size kept, no construction.
        {"44", "L = 2000; Φ1 = 160; A = 400; B = 200; Φ2 = 125; C = 300; D = 150; e = 50", "90", "80", ""},
    };
    for (const Case& c : cases) {
        FittingRecord r;
        r.kind = c.kind;
        r.length = "2000";
        r.diameter1 = "160";
        r.diameter2 = "125";
        r.sideA = "400";
        r.sideB = "200";
        r.sideC = "300";
        r.sideD = "150";
        r.offsetE = "50";
        r.angle = "90";
        r.radius = "80";
        r.roundElbowType = "ŁUK GŁADKI";
        r.rectElbowType = "ŁUK";
        r.teePath = "PRZELOT";
        r.teeFlow = "ROZPŁYW";
        r.material = "Stal ocynk";
        r.roughness = "0,15";
        const FittingDetails d = DetailsOf(r);
        EXPECT_EQ(d.sizes, c.sizes) << c.kind;
        EXPECT_EQ(d.angle, c.angle) << c.kind;
        EXPECT_EQ(d.radius, c.radius) << c.kind;
        EXPECT_EQ(d.construction, c.construction) << c.kind;
        EXPECT_EQ(d.material, "Stal ocynk");
        EXPECT_EQ(d.roughness, "0,15");
    }
    // A size left empty is left out.
    FittingRecord straight;
    straight.kind = "10";
    straight.sideA = "400";
    EXPECT_EQ(DetailsOf(straight).sizes, "A = 400");
}

class MohFiles : public CommaLocale {
protected:
    TempFolder folder;
    RecordingMessageSink messages;
};

TEST_F(MohFiles, SaveWritesTheUsedRecordsAndLoadReadsThemBack) {
    Circuit circuit;
    circuit.Append(Fitting("PROSTKA_OKRĄGŁA", "3,76"));
    circuit.Append(Fitting("KOLANO_OKRĄGŁE", "1,48"));
    const std::string path = folder.File("obieg.moh");
    circuit.Save(path);
    EXPECT_EQ(ReadFileBytes(path).size(), 2 * kRecordSize);

    Circuit loaded;
    loaded.Append(Fitting("old", "9"));
    const LoadResult result = loaded.Load(path, messages);
    EXPECT_EQ(result.records, 2);
    EXPECT_FALSE(result.truncated);
    EXPECT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.Serialize(), circuit.Serialize());
    EXPECT_EQ(loaded.FieldText(0, Field::Name), "PROSTKA_OKRĄGŁA");
    EXPECT_DOUBLE_EQ(loaded.SumOfTotalLosses(), 5.24);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MohFiles, BytesAfterTheLastWholeRecordAreIgnored) {
    Circuit two;
    two.Append(Fitting("A", "1"));
    two.Append(Fitting("B", "2"));
    for (std::size_t size : {std::size_t{758}, std::size_t{800}, std::size_t{1136}}) {
        Bytes bytes = two.Serialize();
        bytes.resize(size, 0x41);
        const std::string path = folder.File("f" + std::to_string(size) + ".moh");
        WriteBytes(path, bytes);
        Circuit circuit;
        EXPECT_EQ(circuit.Load(path, messages).records, 2) << size;
        EXPECT_EQ(circuit.FieldText(1, Field::Name), "B");
        EXPECT_EQ(circuit.FieldText(2, Field::Name), "");
    }
}

TEST_F(MohFiles, AnEmptyTableSavesAZeroLengthFileThatDoesNotLoad) {
    Circuit empty;
    const std::string path = folder.File("pusty.moh");
    empty.Save(path);
    EXPECT_EQ(ReadFileBytes(path).size(), 0u);

    for (const bool withFittings : {false, true}) {
        Circuit circuit;
        if (withFittings) circuit.Append(Fitting("A", "1"));
        try {
            circuit.Load(path, messages);
            FAIL() << "a zero-length file was loaded";
        } catch (const FileError& e) {
            EXPECT_EQ(e.Fault(), FileFault::EndOfFile);
            EXPECT_STREQ(e.what(), "Read beyond end of file");
        }
        // A failed load keeps the circuit as it was.
        EXPECT_EQ(circuit.Count(), withFittings ? 1 : 0);
    }
}

TEST_F(MohFiles, AFileThatCannotBeReadKeepsTheCircuit) {
    Circuit circuit;
    circuit.Append(Fitting("A", "1"));
    EXPECT_THROW(circuit.Load(folder.File("brak.moh"), messages), FileError);
    EXPECT_EQ(circuit.Count(), 1);
    EXPECT_EQ(circuit.FieldText(0, Field::Name), "A");
}

TEST_F(MohFiles, ALongerFileLoadsTheFirst101RecordsAndSaysSo) {
    Bytes bytes;
    for (int i = 0; i < 105; ++i) {
        const Bytes record = kFittingFormat.Encode(Fitting("F" + std::to_string(i), "1"));
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    Circuit circuit;
    const LoadResult result = circuit.LoadBytes(bytes, messages);
    EXPECT_TRUE(result.truncated);
    EXPECT_EQ(circuit.Count(), 101);
    EXPECT_EQ(circuit.FieldText(100, Field::Name), "F100");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title, "Vimtal info");
    EXPECT_NE(messages.messages[0].text.find("105"), std::string::npos);
}

TEST_F(MohFiles, TotalsWrittenWithTheOtherSeparatorFailTheSummingButStayLoaded) {
    Circuit written;
    written.Append(Fitting("A", "12"));
    written.Append(Fitting("B", "3.76"));  // saved on a machine that writes a dot
    written.Append(Fitting("C", "1"));
    Circuit circuit;
    circuit.LoadBytes(written.Serialize(), messages);
    EXPECT_EQ(circuit.Count(), 3);
    try {
        circuit.SumOfTotalLosses();
        FAIL() << "a dot total was summed in a comma locale";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'3.76' is not a valid floating point value.");
    }
    EXPECT_EQ(circuit.FieldText(1, Field::TotalLoss), "3.76");

    testing::UseLocale('.');
    EXPECT_DOUBLE_EQ(circuit.SumOfTotalLosses(), 16.76);
}

}  // namespace
}  // namespace vimtal::pressureloss
