#include "Report.h"

#include "Csv.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>

namespace vimtal {

namespace report {

std::string PageNumber(int number, int count) {
    return "Strona " + std::to_string(number) + " z " + std::to_string(count);
}

std::string DateLine(int year, int month, int day, int hour, int minute) {
    char text[64];
    std::snprintf(text, sizeof text, "Data: %02d.%02d.%04d, godz. %02d:%02d", day, month, year, hour, minute);
    return text;
}

FieldTable& FieldTable::Add(std::string label, std::string symbol, std::string value, std::string unit) {
    rows.push_back({FieldRow::Kind::Value, std::move(label), std::move(symbol), std::move(value), std::move(unit)});
    return *this;
}

FieldTable& FieldTable::Choice(std::string label, std::string word) {
    rows.push_back({FieldRow::Kind::Choice, std::move(label), {}, std::move(word), {}});
    return *this;
}

FieldTable& FieldTable::Group(std::string title) {
    rows.push_back({FieldRow::Kind::Group, std::move(title), {}, {}, {}});
    return *this;
}

FieldTable& FieldTable::Add(const vimtal::FieldRows& fields) {
    for (const vimtal::FieldRow& f : fields) {
        if (f.choice) {
            Choice(f.label, f.value);
        } else {
            Add(f.label, f.symbol + f.subscript, f.value, f.unit);
        }
    }
    return *this;
}

namespace {
void CheckWidth(const Table& table, const std::vector<std::string>& cells, const char* what) {
    if (cells.size() != table.columns.size()) {
        throw std::invalid_argument(std::string(what) + " of " + std::to_string(cells.size()) + " cells in a table of " +
                                    std::to_string(table.columns.size()) + " columns");
    }
}
}  // namespace

Table& Table::AddRow(std::vector<std::string> cells) {
    CheckWidth(*this, cells, "a row");
    rows.push_back(std::move(cells));
    return *this;
}

Table& Table::SetSummary(std::vector<std::string> cells) {
    CheckWidth(*this, cells, "a summary");
    summary = std::move(cells);
    return *this;
}

Align Table::ResolvedAlign(std::size_t column) const {
    const Align align = columns.at(column).align;
    if (align != Align::Auto) return align;
    bool any = false;
    for (const auto& row : rows) {
        const std::string& cell = row[column];
        if (cell.empty()) continue;
        if (!LooksNumeric(cell)) return Align::Left;
        any = true;
    }
    return any ? Align::Right : Align::Left;
}

Bytes Table::ToCsv() const {
    CsvWriter csv;
    std::vector<std::string> titles;
    for (const Column& column : columns) {
        std::string title = column.title;
        for (char& c : title) {
            if (c == '\n') c = ' ';
        }
        titles.push_back(title);
    }
    csv.Row(titles);
    for (const auto& row : rows) csv.Row(row);
    if (!summary.empty()) csv.Row(summary);
    return csv.ToBytes();
}

bool LooksNumeric(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
    bool digits = false, mark = false;
    for (; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isdigit(c)) {
            digits = true;
        } else if ((c == ',' || c == '.') && !mark) {
            mark = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
        const std::size_t start = i;
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        if (i == start) return false;
    }
    while (i < n && text[i] == ' ') ++i;
    return i == n;
}

}  // namespace report

report::FieldTable& ReportDocument::Results() { return AddFields(report::kResultsHeading, report::kNoResults); }

report::FieldTable& ReportDocument::AddFields(std::string heading, std::string emptyText) {
    return Append(report::FieldTable{std::move(heading), {}, std::move(emptyText)});
}

report::Table& ReportDocument::AddTable(std::string heading, std::vector<report::Column> columns) {
    return Append(report::Table{std::move(heading), std::move(columns), {}, {}});
}

void ReportDocument::AddHeading(std::string text) { Append(report::Heading{std::move(text)}); }

void ReportDocument::AddParagraph(std::string text) { Append(report::Paragraph{std::move(text)}); }

void ReportDocument::AddNotes(std::vector<std::string> items) {
    if (items.empty()) return;
    Append(report::Notes{std::move(items)});
}

void ReportDocument::AddChart(std::string id, std::string title, int width, int height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("a chart of no size");
    Append(report::Chart{std::move(id), std::move(title), width, height});
}

}  // namespace vimtal
