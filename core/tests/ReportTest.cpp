#include "core/Csv.h"
#include "core/Report.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vimtal {
namespace {

std::string AsText(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

const std::string kBom = "\xEF\xBB\xBF";

TEST(Csv, FieldsAreQuotedOnlyWhenASpreadsheetWouldSplitThem) {
    struct Case {
        std::string field;
        std::string written;
    } cases[] = {
        {"", ""},
        {"12,5", "12,5"},                      // the decimal comma is no separator here
        {"Kolano 90°", "Kolano 90°"},
        {"a;b", "\"a;b\""},
        {"ø 200 \"typ A\"", "\"ø 200 \"\"typ A\"\"\""},
        {"\"", "\"\"\"\""},
        {"dwie\nlinie", "\"dwie\nlinie\""},
        {"powrót\r", "\"powrót\r\""},
        {" spacje ", " spacje "},
    };
    for (const Case& c : cases) EXPECT_EQ(CsvField(c.field), c.written) << c.field;
}

TEST(Csv, FileIsUtf8WithBomSemicolonsAndCrLf) {
    CsvWriter csv;
    EXPECT_EQ(csv.Text(), kBom);
    csv.Row({"Lp", "Nazwa kształtki", "dpc [Pa]"});
    csv.Row({"1", "Trójnik; przelot", "12,5"});
    csv.Row({});
    csv.Row({"", ""});
    const std::string expected = kBom +
                                 "Lp;Nazwa kształtki;dpc [Pa]\r\n"
                                 "1;\"Trójnik; przelot\";12,5\r\n"
                                 "\r\n"
                                 ";\r\n";
    EXPECT_EQ(AsText(csv.ToBytes()), expected);
    // The bytes themselves: BOM, then UTF-8 for "ó" (C3 B3).
    const Bytes bytes = csv.ToBytes();
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(bytes[0], 0xEF);
    EXPECT_EQ(bytes[1], 0xBB);
    EXPECT_EQ(bytes[2], 0xBF);
}

TEST(ReportTable, CsvHasOneTitleLineTheRowsThenTheSummary) {
    ReportDocument document("Kalkulator strat ciśnienia - obiegu krytycznego");
    report::Table& table = document.AddTable("Obieg krytyczny", {{"Lp"}, {"Nazwa kształtki"}, {"Przepływ\nV [m3/h]"}, {"Strata całkowita\ndpc [Pa]"}});
    table.AddRow({"1", "Kolano 90°", "1200", "3,41"});
    table.AddRow({"2", "Przewód \"A\"; ocynk", "1200", "12,07"});
    table.SetSummary({"", "Σ", "", "15,48"});
    const std::string expected = kBom +
                                 "Lp;Nazwa kształtki;Przepływ V [m3/h];Strata całkowita dpc [Pa]\r\n"
                                 "1;Kolano 90°;1200;3,41\r\n"
                                 "2;\"Przewód \"\"A\"\"; ocynk\";1200;12,07\r\n"
                                 ";Σ;;15,48\r\n";
    EXPECT_EQ(AsText(table.ToCsv()), expected);

    // Without a summary the file ends with the last row.
    report::Table bare = table;
    bare.summary.clear();
    const std::string summaryLine = ";Σ;;15,48\r\n";
    EXPECT_EQ(AsText(bare.ToCsv()), expected.substr(0, expected.size() - summaryLine.size()));
}

TEST(ReportTable, RowsMustHaveOneCellPerColumn) {
    report::Table table{"", {{"a"}, {"b"}}, {}, {}};
    EXPECT_THROW(table.AddRow({"1"}), std::invalid_argument);
    EXPECT_THROW(table.AddRow({"1", "2", "3"}), std::invalid_argument);
    EXPECT_THROW(table.SetSummary({"Σ"}), std::invalid_argument);
    EXPECT_NO_THROW(table.AddRow({"1", "2"}));
    EXPECT_EQ(table.rows.size(), 1u);
}

TEST(ReportTable, AutomaticAlignmentPutsNumberColumnsRight) {
    report::Table table{"", {{"Lp"}, {"Nazwa"}, {"w"}, {"puste"}, {"wymuszona", report::Align::Centre}}, {}, {}};
    table.AddRow({"1", "Kolano", "3,5", "", "7"});
    table.AddRow({"2", "Trójnik", "-1,2E-3", "", "8"});
    table.AddRow({"", "Przewód", "", "", ""});  // empty cells say nothing
    EXPECT_EQ(table.ResolvedAlign(0), report::Align::Right);
    EXPECT_EQ(table.ResolvedAlign(1), report::Align::Left);
    EXPECT_EQ(table.ResolvedAlign(2), report::Align::Right);
    EXPECT_EQ(table.ResolvedAlign(3), report::Align::Left);
    EXPECT_EQ(table.ResolvedAlign(4), report::Align::Centre);
}

TEST(ReportTable, NumbersAsTheWindowsWriteThem) {
    struct Case {
        const char* text;
        bool numeric;
    } cases[] = {
        {"0", true},        {"12,5", true},    {"12.5", true},  {"-0,001", true}, {"+3", true},
        {"1,5E-5", true},   {"2e10", true},    {" 7 ", true},   {",5", true},     {"", false},
        {"-", false},       {",", false},      {"1,2,3", false}, {"1e", false},   {"12 kW", false},
        {"Kolano", false},  {"1 200", false},  {"e5", false},   {"1,5E+", false}, {"90°", false},
    };
    for (const Case& c : cases) EXPECT_EQ(report::LooksNumeric(c.text), c.numeric) << c.text;
}

TEST(ReportDocument, BlocksKeepTheirOrderAndTheReferencesStayValid) {
    ReportDocument document("Moduł doboru kryz osiowosymetrycznych");
    report::FieldTable& inputs = document.Inputs();
    report::FieldTable& results = document.Results();
    // Blocks added after the two tables must not move them.
    for (int i = 0; i < 100; ++i) document.AddParagraph("akapit " + std::to_string(i));
    inputs.Add("Średnica przewodu", "D", "200", "mm").Choice("Przekrój", "kołowy").Group("Przepływ");
    results.Add("Średnica kryzy", "d", "142,3", "mm");
    document.AddNotes({});
    document.AddNotes({"Kryza cienka, ostra krawędź wlotowa."});
    document.AddChart("t", "Wykres", 500, 305);

    const auto& blocks = document.Blocks();
    ASSERT_EQ(blocks.size(), 104u);  // no "Uwagi" for no notes
    const auto& in = std::get<report::FieldTable>(blocks[0]);
    EXPECT_EQ(in.heading, "Dane wejściowe");
    EXPECT_EQ(in.emptyText, "");
    ASSERT_EQ(in.rows.size(), 3u);
    EXPECT_EQ(in.rows[1].kind, report::FieldRow::Kind::Choice);
    EXPECT_EQ(in.rows[1].ChoiceText(), "Przekrój: kołowy");
    EXPECT_EQ(in.rows[2].kind, report::FieldRow::Kind::Group);
    const auto& out = std::get<report::FieldTable>(blocks[1]);
    EXPECT_EQ(out.heading, "Wyniki");
    EXPECT_EQ(out.emptyText, "Brak wyników: uruchom obliczenia");
    EXPECT_EQ(out.rows.size(), 1u);
    EXPECT_EQ(std::get<report::Notes>(blocks[102]).items.size(), 1u);
    EXPECT_EQ(std::get<report::Chart>(blocks[103]).id, "t");
    EXPECT_THROW(document.AddChart("x", "", 0, 305), std::invalid_argument);
}

}  // namespace
}  // namespace vimtal
