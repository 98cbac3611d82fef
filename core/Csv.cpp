#include "Csv.h"

namespace vimtal {

CsvWriter::CsvWriter() : text_("\xEF\xBB\xBF") {}

void CsvWriter::Row(const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) text_ += ';';
        text_ += CsvField(fields[i]);
    }
    text_ += "\r\n";
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

}  // namespace vimtal
