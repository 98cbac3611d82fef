#include "ReportColumns.h"

#include <algorithm>
#include <numeric>

namespace vimtal::report {

namespace {

constexpr double kLargestPoints = 8.5;
constexpr double kWrappingPoints = 7.5;  // from here down the text columns may wrap
constexpr double kSmallestPoints = 5.5;
constexpr double kTitleSmaller = 0.5;    // the titles' type below the cells'
constexpr double kTolerance = 0.01;      // a text this much wider still fits

std::vector<std::string> Split(const std::string& text, char at) {
    std::vector<std::string> parts;
    std::string::size_type from = 0;
    for (std::string::size_type to; (to = text.find(at, from)) != std::string::npos; from = to + 1) {
        parts.push_back(text.substr(from, to - from));
    }
    parts.push_back(text.substr(from));
    return parts;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    for (std::string& part : Split(line, ' ')) {
        if (!part.empty()) words.push_back(std::move(part));
    }
    return words;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

int WordCount(const std::string& text) {
    int count = 0;
    bool inWord = false;
    for (const char c : text) {
        if (!IsBlank(c) && !inWord) ++count;
        inWord = !IsBlank(c);
    }
    return count;
}

std::string Joined(const std::vector<std::string>& words, std::size_t first, std::size_t last) {
    std::string run = words[first];
    for (std::size_t i = first + 1; i <= last; ++i) run += ' ' + words[i];
    return run;
}

double Sum(const std::vector<double>& v) { return std::accumulate(v.begin(), v.end(), 0.0); }

// The lines the words take, wrapped greedily at `width`; 0 when a word is
// wider than that.
int LinesAt(double width, const std::vector<std::vector<std::string>>& lines, double space,
            const std::function<double(const std::string&)>& measure) {
    int used = 0;
    bool fits = true;
    for (const std::vector<std::string>& words : lines) {
        double run = -1;
        ++used;
        for (const std::string& word : words) {
            const double wordWidth = measure(word);
            if (wordWidth > width + kTolerance) fits = false;
            if (run < 0) {
                run = wordWidth;
            } else if (run + space + wordWidth <= width + kTolerance) {
                run += space + wordWidth;
            } else {
                ++used;
                run = wordWidth;
            }
        }
    }
    return fits ? used : 0;
}

// What a table needs at one size of type.
struct Needs {
    std::vector<double> cells;  // the widest cell of each column, padded
    std::vector<double> own;    // and with its title on its own lines
    int mostWords = 1;          // the most words of a title
};

Needs Measure(const Table& table, double points, double pad, const TextMeasure& measure) {
    const std::size_t n = table.columns.size();
    Needs needs{std::vector<double>(n, 0), std::vector<double>(n, 0), 1};
    for (std::size_t c = 0; c < n; ++c) {
        const std::string& title = table.columns[c].title;
        needs.mostWords = std::max(needs.mostWords, WordCount(title));
        for (const std::vector<std::string>& row : table.rows) {
            needs.cells[c] = std::max(needs.cells[c], measure.width(row[c], points, false) + pad);
        }
        if (!table.summary.empty()) {
            needs.cells[c] = std::max(needs.cells[c], measure.width(table.summary[c], points, true) + pad);
        }
        needs.own[c] = std::max(needs.cells[c], measure.width(title, points - kTitleSmaller, true) + pad);
    }
    return needs;
}

// The widths with every title on at most `lines` lines; false (and the
// widths filled up to the column that failed, which gets its cells' width)
// when a title cannot.
bool TitlesOnLines(const Table& table, int lines, const Needs& needs, double points, double pad,
                   const TextMeasure& measure, std::vector<double>& widths) {
    const auto titleWidth = [&](const std::string& text) { return measure.width(text, points - kTitleSmaller, true); };
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const double title = TitleWidth(table.columns[c].title, lines, titleWidth);
        widths[c] = std::max(needs.cells[c], title + pad);
        if (title == 0) return false;
    }
    return true;
}

// The room left: first to the titles that need least to keep their own
// lines, then to the text columns in proportion (to every column when there
// is none).
void ShareTheRest(const std::vector<std::size_t>& text, const Needs& needs, double available,
                  std::vector<double>& widths) {
    std::vector<std::size_t> order(widths.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return needs.own[a] - widths[a] < needs.own[b] - widths[b];
    });
    for (const std::size_t c : order) {
        const double more = needs.own[c] - widths[c];
        if (more > 0 && Sum(widths) + more <= available) widths[c] = needs.own[c];
    }
    const double spare = available - Sum(widths);
    double base = 0;
    for (const std::size_t c : text) base += widths[c];
    if (base > 0) {
        for (const std::size_t c : text) widths[c] += spare * widths[c] / base;
    } else {
        const double all = Sum(widths);
        for (double& w : widths) w += spare * w / all;
    }
}

// Every title a word a line and still too wide: the text columns share what
// the others leave, each at least as wide as what it cannot break, the rest
// as they would be wide. False when they cannot.
bool WrapTextColumns(const Table& table, const std::vector<std::size_t>& text, const ColumnRoom& room,
                     double points, const TextMeasure& measure, std::vector<double>& widths) {
    if (text.empty()) return false;
    double fixed = 0, wrapping = 0, least = 0;
    std::vector<double> unbreakable(widths.size(), 0);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        if (std::find(text.begin(), text.end(), c) == text.end()) {
            fixed += widths[c];
            continue;
        }
        wrapping += widths[c];
        unbreakable[c] = room.leastWrapped;
        const auto widen = [&](const std::string& cell, bool bold) {
            unbreakable[c] = std::max(unbreakable[c], measure.unbreakable(cell, points, bold) + room.padding);
        };
        for (const std::vector<std::string>& row : table.rows) widen(row[c], false);
        if (!table.summary.empty()) widen(table.summary[c], true);
        least += unbreakable[c];
    }
    if (room.available - fixed < least) return false;
    const double spare = room.available - fixed - least;
    for (const std::size_t c : text) widths[c] = unbreakable[c] + spare * widths[c] / wrapping;
    return true;
}

}  // namespace

double TitleWidth(const std::string& title, int lines, const std::function<double(const std::string&)>& width) {
    const std::vector<std::string> explicitLines = Split(title, '\n');
    if (static_cast<int>(explicitLines.size()) > lines) return 0;
    // The candidates: every run of words of a line.
    std::vector<double> candidates;
    std::vector<std::vector<std::string>> words;
    for (const std::string& line : explicitLines) {
        const std::vector<std::string>& w = words.emplace_back(Words(line));
        for (std::size_t i = 0; i < w.size(); ++i) {
            for (std::size_t j = i; j < w.size(); ++j) candidates.push_back(width(Joined(w, i, j)));
        }
    }
    std::sort(candidates.begin(), candidates.end());
    const double space = width(" ");
    for (const double candidate : candidates) {
        const int used = LinesAt(candidate, words, space, width);
        if (used > 0 && used <= lines) return candidate;
    }
    return 0;
}

ColumnFit FitColumns(const Table& table, const ColumnRoom& room, const TextMeasure& measure) {
    const std::size_t n = table.columns.size();
    if (n == 0) return {kLargestPoints, {}};
    std::vector<std::size_t> text;  // the columns that may wrap their cells
    for (std::size_t c = 0; c < n; ++c) {
        if (table.ResolvedAlign(c) == Align::Left) text.push_back(c);
    }
    for (double points = kLargestPoints;; points -= 0.5) {
        const Needs needs = Measure(table, points, room.padding, measure);
        std::vector<double> widths(n);
        for (int lines = 1; lines <= needs.mostWords; ++lines) {
            if (!TitlesOnLines(table, lines, needs, points, room.padding, measure, widths)) continue;
            if (Sum(widths) > room.available) continue;
            ShareTheRest(text, needs, room.available, widths);
            return {points, widths};
        }
        if (points > kWrappingPoints) continue;
        if (WrapTextColumns(table, text, room, points, measure, widths)) return {points, widths};
        if (points <= kSmallestPoints) {
            const double all = Sum(widths);
            for (double& w : widths) w *= room.available / all;
            return {points, widths};
        }
    }
}

}  // namespace vimtal::report
