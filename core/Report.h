// The content of a calculation report: what a module window puts on paper.
//
// A report is the window's caption and an ordered list of blocks: headings,
// tables of fields (label, symbol, value, unit) such as "Dane wejściowe" and
// "Wyniki", wide tables (the pressure-loss circuit, with a summary row "Σ"),
// assumption notes ("Uwagi"), paragraphs and chart slots. Texts are UTF-8 and
// are taken exactly as the window shows them (decimal commas included); the
// report never formats a number itself. Where the blocks go on the page is
// the renderer's business (core/ui/ReportRenderer.h); this is plain content.
//
//   ReportDocument report("Symulacja czasu ładowania zbiornika C.W.U");
//   report.Inputs()
//       .Add("Wysokość zasobnika", "H", "1,2", "m")
//       .Choice("Ogrzewanie", "wodne");
//   auto& results = report.Results();       // "Brak wyników: ..." while empty
//   if (computed) results.Add("Czas ładowania", "τ", "35,2", "min");
//   report.AddChart("tw", "Temperatura wody w zasobniku tw=f(t)", 500, 305);
//   report.AddNotes({"Zasobnik idealnie wymieszany."});
#pragma once

#include "FieldRow.h"
#include "ShortString.h"

#include <deque>
#include <string>
#include <variant>
#include <vector>

namespace vimtal {

namespace report {

inline constexpr const char* kInputsHeading = "Dane wejściowe";
inline constexpr const char* kResultsHeading = "Wyniki";
inline constexpr const char* kNoResults = "Brak wyników: uruchom obliczenia";
inline constexpr const char* kNotesHeading = "Uwagi";

// The titles of a field table's columns.
inline constexpr const char* kFieldColumnTitles[] = {"Wielkość", "Symbol", "Wartość", "Jednostka"};
// After a table's heading on the pages it continues on.
inline constexpr const char* kContinued = " (cd.)";
// The signatures at the end of a report: a line for each, with its hint.
inline constexpr const char* kPreparedBy = "Opracował:";
inline constexpr const char* kCheckedBy = "Sprawdził:";
inline constexpr const char* kSignatureHint = "imię i nazwisko, podpis";

// The footer of page `number` of `count`: "Strona 2 z 5".
std::string PageNumber(int number, int count);
// The date and time in the header: "Data: 14.03.2025, godz. 10:42".
std::string DateLine(int year, int month, int day, int hour, int minute);

// One row of a field table.
struct FieldRow {
    enum class Kind {
        Value,   // label, symbol, value, unit
        Choice,  // a choice as words: "Ogrzewanie: wodne", across the row
        Group,   // a group title inside the table ("Źródło ciepła")
    };
    Kind kind = Kind::Value;
    std::string label;
    std::string symbol;
    std::string value;
    std::string unit;

    // The text of a Choice row: "label: value".
    std::string ChoiceText() const { return label + ": " + value; }
};

// A heading followed by a table of fields. A table without rows shows
// `emptyText` under its heading (nothing when that is empty too).
struct FieldTable {
    std::string heading;
    std::vector<FieldRow> rows;
    std::string emptyText;

    FieldTable& Add(std::string label, std::string symbol, std::string value, std::string unit);
    FieldTable& Choice(std::string label, std::string word);
    FieldTable& Group(std::string title);
    // The rows a window's field bindings give (core/ui/FieldBinding.h): a
    // choice as its words, a field with its symbol and subscript as one.
    FieldTable& Add(const vimtal::FieldRows& fields);
};

enum class Align {
    Auto,   // right when every cell of the column is a number, left otherwise
    Left,
    Right,
    Centre,
};

struct Column {
    std::string title;  // one or two lines, split at '\n': "Przepływ\nV [m3/h]"
    Align align = Align::Auto;
};

// A table as wide as the page, its title row repeated on every page it
// spans, with an optional summary row after the last row ("Σ" and a total).
struct Table {
    std::string heading;  // may be empty
    std::vector<Column> columns;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> summary;  // empty: no summary row

    // Raises std::invalid_argument unless the row has one cell per column.
    Table& AddRow(std::vector<std::string> cells);
    Table& SetSummary(std::vector<std::string> cells);
    // The column's alignment with Auto resolved.
    Align ResolvedAlign(std::size_t column) const;
    // The file a spreadsheet opens: one line of column titles (a two-line
    // title joined by a space), one line per row, then the summary line.
    Bytes ToCsv() const;
};

struct Heading {
    std::string text;
};

struct Paragraph {
    std::string text;
};

// Numbered notes under the heading "Uwagi": the assumptions of a calculation.
struct Notes {
    std::vector<std::string> items;
};

// A place for a chart. The id is opaque here: the window that builds the
// report gives the renderer a drawing for each id. `width` x `height` is the
// chart's proportion (its window's paint box), the page decides its size.
struct Chart {
    std::string id;
    std::string title;
    int width = 500;
    int height = 305;
};

using Block = std::variant<Heading, Paragraph, FieldTable, Table, Notes, Chart>;

// True for a text a spreadsheet reads as a number: an optional sign, digits
// with one decimal mark ('.' or ','), an optional exponent.
bool LooksNumeric(const std::string& text);

}  // namespace report

class ReportDocument {
public:
    explicit ReportDocument(std::string caption = {}) : caption_(std::move(caption)) {}

    // The window's caption, shown in the header of every page.
    const std::string& Caption() const { return caption_; }
    const std::deque<report::Block>& Blocks() const { return blocks_; }

    // A field table under "Dane wejściowe".
    report::FieldTable& Inputs() { return AddFields(report::kInputsHeading); }
    // A field table under "Wyniki"; while it has no rows it says "Brak
    // wyników: uruchom obliczenia".
    report::FieldTable& Results();
    report::FieldTable& AddFields(std::string heading, std::string emptyText = {});
    report::Table& AddTable(std::string heading, std::vector<report::Column> columns);
    void AddHeading(std::string text);
    void AddParagraph(std::string text);
    // Under "Uwagi"; no notes, no section.
    void AddNotes(std::vector<std::string> items);
    void AddChart(std::string id, std::string title, int width, int height);

private:
    template <typename T>
    T& Append(T block) {
        blocks_.emplace_back(std::move(block));
        return std::get<T>(blocks_.back());
    }

    std::string caption_;
    std::deque<report::Block> blocks_;  // a deque: the references handed out stay valid
};

}  // namespace vimtal
