// The widths of a wide table's columns on paper (report::Table), and the size
// of type that lets the table fit the page.
//
// The fitter only measures: it is given the width of a text at a size of
// type and the widest piece of a text a wrap cannot break, in whatever units
// the page is measured in, and returns the widths in the same units.
//
//   report::TextMeasure measure{
//       [&](const std::string& text, double points, bool bold) { ... },  // the widest line
//       [&](const std::string& text, double points, bool bold) { ... }}; // the widest unbreakable piece
//   const report::ColumnFit fit = report::FitColumns(table, {pageWidth, padding, 25 mm}, measure);
//   // cells in fit.points, bold for the summary; titles bold, half a point smaller
#pragma once

#include "Report.h"

#include <functional>
#include <string>
#include <vector>

namespace vimtal::report {

struct TextMeasure {
    // The width of the text's widest line ('\n' breaks lines).
    std::function<double(const std::string& text, double points, bool bold)> width;
    // The width of the widest piece a word wrap cannot break (a wrap breaks
    // at blanks and after '/' or '-').
    std::function<double(const std::string& text, double points, bool bold)> unbreakable;
};

struct ColumnRoom {
    double available = 0;  // the page's width
    double padding = 0;    // added to every text: the cell's margins
    double leastWrapped = 0;  // the narrowest a column whose cells wrap may be
};

struct ColumnFit {
    double points = 0;           // the cells' type; the titles' is half a point smaller
    std::vector<double> widths;  // one per column, left to right
};

// The largest type from 8.5 points down to 5.5 in half points at which the
// table fits. Each column is as wide as its widest cell and its title on as
// few lines as the page allows, every title wrapping to the same number of
// lines at most; room left over first lets titles keep their own lines, then
// goes to the text (left-aligned) columns. From 7.5 points on, when even a
// word a line is too wide, the text columns wrap their cells, each at least
// `leastWrapped` wide and never narrower than a piece it cannot break. What
// still does not fit at 5.5 points is scaled down to the page. A table
// without columns gets no widths.
ColumnFit FitColumns(const Table& table, const ColumnRoom& room, const TextMeasure& measure);

// The narrowest width at which `title` takes at most `lines` lines, breaking
// only between words and at its own '\n'; 0 when it cannot.
double TitleWidth(const std::string& title, int lines, const std::function<double(const std::string&)>& width);

}  // namespace vimtal::report
