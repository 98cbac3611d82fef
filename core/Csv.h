// Comma-separated values for a Polish spreadsheet.
//
// A Polish spreadsheet opens a file at once, with its accents and its decimal
// commas, when the file is UTF-8 with a byte-order mark, the fields are
// separated by ';' (the comma is the decimal mark) and the lines end in CR LF.
// Texts are written exactly as the window shows them, so "12,5" stays a
// number to the spreadsheet. A field that holds ';', '"', CR or LF is quoted,
// its quotes doubled (RFC 4180).
//
//   CsvWriter csv;
//   csv.Row({"Lp", "Nazwa kształtki", "dpc [Pa]"});
//   csv.Row({"1", "Kolano 90°; R/d = 1", "12,5"});
//   WriteFileAtomically(path, csv.ToBytes());
#pragma once

#include "ShortString.h"

#include <string>
#include <vector>

namespace vimtal {

class CsvWriter {
public:
    CsvWriter();  // starts with the byte-order mark

    void Row(const std::vector<std::string>& fields);

    // The whole file so far (UTF-8, BOM first).
    const std::string& Text() const { return text_; }
    vimtal::Bytes ToBytes() const { return {text_.begin(), text_.end()}; }

private:
    std::string text_;
};

// The field as it stands between the separators: quoted when it must be.
std::string CsvField(const std::string& text);

}  // namespace vimtal
