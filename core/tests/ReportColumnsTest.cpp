#include "core/ReportColumns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace vimtal::report {
namespace {

// Characters of UTF-8 text.
double Characters(const std::string& text) {
    return static_cast<double>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

double WidestLine(const std::string& text) {
    double widest = 0, line = 0;
    for (const char c : text + '\n') {
        if (c == '\n') {
            widest = std::max(widest, line);
            line = 0;
        } else if ((c & 0xC0) != 0x80) {
            line += 1;
        }
    }
    return widest;
}

// The longest piece between the places a wrap breaks: blanks, and after a
// '/' or a '-'.
double WidestPiece(const std::string& text) {
    double widest = 0;
    std::string piece;
    for (const char c : text + ' ') {
        if (c != ' ') piece += c;
        if (c == ' ' || c == '/' || c == '-') {
            widest = std::max(widest, Characters(piece));
            piece.clear();
        }
    }
    return widest;
}

// A character is `points` wide, a bold one a quarter wider.
const TextMeasure kMeasure{
    [](const std::string& text, double points, bool bold) { return WidestLine(text) * points * (bold ? 1.25 : 1); },
    [](const std::string& text, double points, bool bold) { return WidestPiece(text) * points * (bold ? 1.25 : 1); }};

TEST(ReportColumns, TitleWidthIsTheNarrowestThatKeepsTheLines) {
    struct Case {
        std::string title;
        int lines;
        double width;  // in characters
    } cases[] = {
        {"Strata całkowita", 1, 16},
        {"Strata całkowita", 2, 9},     // "całkowita" on a line of its own
        {"Przepływ\nV [m3/h]", 1, 0},   // its own two lines cannot be one
        {"Przepływ\nV [m3/h]", 2, 8},
        {"Przepływ\nV [m3/h]", 3, 8},   // the third line would not be narrower
        {"a bb ccc", 2, 4},             // "a bb" / "ccc"
        {"a bb ccc", 3, 3},
        {"", 2, 0},
    };
    const auto width = [](const std::string& text) { return Characters(text); };
    for (const Case& c : cases) EXPECT_EQ(TitleWidth(c.title, c.lines, width), c.width) << c.title << " " << c.lines;
}

TEST(ReportColumns, ColumnsFillThePageAtTheLargestTypeThatFits) {
    struct Case {
        const char* what;
        std::vector<Column> columns;
        std::vector<std::vector<std::string>> rows;
        std::vector<std::string> summary;
        ColumnRoom room;
        double points;
        std::vector<double> widths;
    } cases[] = {
        {"the text column takes what is left",
         {{"Nazwa"}, {"V"}}, {{"Kolano", "12"}}, {}, {200, 0, 20}, 8.5, {183, 17}},
        {"titles wrap to two lines to fit",
         {{"Nazwa"}, {"Strata całkowita"}}, {{"Kolano", "1"}}, {}, {150, 0, 20}, 8.5, {60, 90}},
        {"a title gets its own line back when the room allows",
         {{"Nazwa"}, {"Przepływ\nV"}, {"Strata całkowita"}}, {{"Kolano", "1", "2"}}, {}, {311, 0, 20}, 8.5,
         {71, 80, 160}},
        {"and stays wrapped when not",
         {{"Nazwa"}, {"Przepływ\nV"}, {"Strata całkowita"}}, {{"Kolano", "1", "2"}}, {}, {280, 0, 20}, 8.5,
         {110, 80, 90}},
        {"a smaller type",
         {{"Nazwa"}, {"L", Align::Right}}, {{"Kolano prostokątne", "1000"}}, {}, {180, 0, 20}, 8, {148, 32}},
        {"the summary is measured in bold",
         {{"Nazwa"}, {"Suma"}}, {{"a", "1"}}, {"Σ", "12345"}, {200, 0, 20}, 8.5, {146.875, 53.125}},
        // At 7.5 points the names wrap, never narrower than their longest
        // piece, and share the room left as they would be wide.
        {"text columns wrap",
         {{"Nazwa"}, {"Opis"}, {"V"}}, {{"PODSTAWA_DACHOWA", "opis w kilku słowach", "12"}}, {}, {200, 0, 20}, 7.5,
         {120 + 12.5 * 120 / 270, 52.5 + 12.5 * 150 / 270, 15}},
        // "a-" (15) is under the least width; "słowach" 52.5 + 2. The name
        // column would be as wide as its title, 43.75 + 2.
        {"a wrapped column keeps the least width and the padding",
         {{"Nazwa"}, {"Opis"}, {"V"}}, {{"a-b", "opis w kilku słowach", "1234567890"}}, {}, {170, 2, 30}, 7.5,
         {30 + 8.5 * 45.75 / 197.75, 54.5 + 8.5 * 152 / 197.75, 77}},
        {"what never fits is scaled to the page",
         {{"V"}}, {{"123456789012345678901234567890"}}, {}, {100, 0, 20}, 5.5, {100}},
    };
    for (const Case& c : cases) {
        Table table{"", c.columns, {}, {}};
        for (const auto& row : c.rows) table.AddRow(row);
        if (!c.summary.empty()) table.SetSummary(c.summary);
        const ColumnFit fit = FitColumns(table, c.room, kMeasure);
        EXPECT_EQ(fit.points, c.points) << c.what;
        ASSERT_EQ(fit.widths.size(), c.widths.size()) << c.what;
        for (std::size_t i = 0; i < c.widths.size(); ++i) {
            EXPECT_NEAR(fit.widths[i], c.widths[i], 1e-9) << c.what << ", column " << i;
        }
        EXPECT_NEAR(std::accumulate(fit.widths.begin(), fit.widths.end(), 0.0), c.room.available, 1e-9) << c.what;
    }
    EXPECT_TRUE(FitColumns(Table{}, {100, 0, 20}, kMeasure).widths.empty());
}

}  // namespace
}  // namespace vimtal::report
