// Rows of fields on a grid: caption, symbol, box and unit in the columns a
// window's look gives, each box bound as it is laid out (FieldBinding.h).
#pragma once

#include "core/ui/FieldBinding.h"
#include "core/ui/WidgetsFwd.h"

#include <QColor>
#include <QMargins>
#include <QString>

#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace vimtal {

// How a window draws its rows. The columns, left to right: the caption
// (unless None), the symbol (unless None), the box, the unit (a row without
// a unit has none).
struct FieldLook {
    enum class Caption {
        None,
        Label,             // the caption as a label
        LabelWithSymbol,   // the caption, then its symbol and subscript, in one cell
        // (either: the row's chooser instead, where it has one)
    };
    enum class Symbol {
        None,
        Subscripted,  // bold, with its subscript set low, in a column at least 22 wide
        Bold,         // bold, the subscript written after it
        BoldGreek,    // as Bold for a Greek letter; a Latin one in the caption's type
    };
    Caption caption = Caption::Label;
    Symbol symbol = Symbol::None;
    int boxWidth = 72;
    bool rightAligned = false;   // the box's text against its right edge
    QColor boxText{};            // the box's text colour; invalid: the palette's
    bool raisedDegrees = false;  // "°C" drawn as a raised "o" before the "C"
    int unitMinimumWidth = 0;
};

// The widgets of one row laid out (null where the look has no column).
struct FieldRowWidgets {
    QWidget* caption = nullptr;
    QLabel* symbol = nullptr;
    QLineEdit* box = nullptr;
    QLabel* unit = nullptr;
};

// A grid on `parent` whose first column, the captions, takes the spare
// width; the spacing between its columns and its rows.
QGridLayout* FieldGrid(QWidget* parent, const QMargins& margins, int horizontal, int vertical);
// A frame with a title around a group of rows.
QGroupBox* NewGroupBox(QWidget* parent, const QString& name, const QString& title);
// Degrees: a raised "o" before the "C".
QLabel* DegreesLabel(QWidget* parent);
// A symbol drawn in the look's style.
QLabel* NewSymbolLabel(QWidget* parent, FieldLook::Symbol style, const QString& symbol, const QString& subscript = {});

// One row at `line` of `grid` (on the grid's parent widget): a box named
// `name` holding `text`, with `caption` in the look's columns; `chooser`, when
// given, stands in the caption's column instead of a label.
FieldRowWidgets LayFieldRow(QGridLayout* grid, int line, const FieldLook& look, const EditCaption& caption,
                            const char* name, const std::string& text, QWidget* chooser = nullptr);

// Lays `rows` on `grid` from `firstLine` down, one line each: each box made
// (in the row's member, holding the model's starting text of its input)
// and its row added to `bindings`. Returns the widgets of each row.
template <typename Inputs, typename Record>
std::vector<FieldRowWidgets> LayFields(QGridLayout* grid, int firstLine,
                                       std::span<const std::type_identity_t<Field<Inputs, Record>>> rows,
                                       const FieldLook& look, FieldBindings<Inputs, Record>& bindings,
                                       const std::type_identity_t<Inputs>& start = Inputs{}) {
    std::vector<FieldRowWidgets> laid;
    laid.reserve(rows.size());
    int line = firstLine;
    for (Field<Inputs, Record> row : rows) {
        const std::string text = row.input && row.role == FieldRole::Input ? start.*row.input : std::string();
        laid.push_back(LayFieldRow(grid, line++, look, row.caption, row.name, text, row.chooser));
        row.edit = laid.back().box;
        if (row.box) *row.box = row.edit;
        bindings.Add(row);
    }
    return laid;
}

}  // namespace vimtal
