#include "core/ui/FieldGrid.h"
#include "core/ui/Widgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

namespace vimtal {
namespace {

struct Texts {
    std::string height = "1,5";
    std::string power = "12";
    std::string time = "3600";
};
using Bindings = FieldBindings<Texts>;
using Row = Bindings::Row;

// The grid cell a widget stands in: row and column, or nothing.
std::optional<std::pair<int, int>> Cell(QGridLayout* grid, QWidget* widget) {
    const int index = widget ? grid->indexOf(widget) : -1;
    if (index < 0) return std::nullopt;
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(index, &row, &column, &rows, &columns);
    return std::make_pair(row, column);
}

// Each look puts the caption, symbol, box and unit in its own columns; a
// column the look has not holds nothing, a row without a unit has no label.
TEST(FieldGrid, EachLookLaysItsColumns) {
    using L = FieldLook;
    struct Case {
        const char* what;
        FieldLook look;
        EditCaption caption;
        int captionColumn, symbolColumn, boxColumn, unitColumn;  // -1: none
        QString symbolText, unitText;
        bool symbolBold;
    } cases[] = {
        {"caption, subscripted symbol", {.symbol = L::Symbol::Subscripted}, {"Długość boku", "A", "i", "m"}, 0, 1, 2,
         3, "<b>A</b><sub>i</sub>", "m", true},
        {"symbol in the caption", {.caption = L::Caption::LabelWithSymbol}, {"Moc", "λ", "iz", "kW"}, 0, -1, 1, 2, {},
         "kW", false},
        {"no caption, bold symbol", {.caption = L::Caption::None, .symbol = L::Symbol::Bold}, {nullptr, "p", "b", "Pa"},
         -1, 0, 1, 2, "pb", "Pa", true},
        {"Greek symbol bold", {.symbol = L::Symbol::BoldGreek}, {"Akumulacja", "Φ", "r", "---"}, 0, 1, 2, 3, "Φr",
         "---", true},
        {"Latin symbol plain", {.symbol = L::Symbol::BoldGreek}, {"Zapotrzebowanie", "q", "ds", "dm3"}, 0, 1, 2, 3,
         "qds", "dm3", false},
        {"raised degrees", {.raisedDegrees = true}, {"Temperatura", nullptr, nullptr, "°C"}, 0, -1, 1, 2, {},
         "<sup>o</sup>C", false},
        {"degrees as typed", {}, {"Temperatura", nullptr, nullptr, "°C"}, 0, -1, 1, 2, {}, "°C", false},
        {"no unit", {.boxWidth = 80}, {"Liczba iteracji"}, 0, -1, 1, -1, {}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget parent;
        auto* grid = new QGridLayout(&parent);
        const FieldRowWidgets row = LayFieldRow(grid, 2, c.look, c.caption, "Edit1", "7");
        EXPECT_EQ(Cell(grid, row.caption), c.captionColumn < 0 ? std::nullopt : std::optional(std::pair(2, c.captionColumn)));
        EXPECT_EQ(Cell(grid, row.symbol), c.symbolColumn < 0 ? std::nullopt : std::optional(std::pair(2, c.symbolColumn)));
        EXPECT_EQ(Cell(grid, row.box), std::optional(std::pair(2, c.boxColumn)));
        EXPECT_EQ(Cell(grid, row.unit), c.unitColumn < 0 ? std::nullopt : std::optional(std::pair(2, c.unitColumn)));
        EXPECT_EQ(grid->columnCount(), 1 + std::max({c.captionColumn, c.symbolColumn, c.boxColumn, c.unitColumn}));
        if (row.symbol) {
            EXPECT_EQ(row.symbol->text(), c.symbolText);
            EXPECT_EQ(row.symbol->font().bold(), c.symbolBold);
        }
        if (row.unit) {
            EXPECT_EQ(row.unit->text(), c.unitText);
        }
        EXPECT_EQ(row.box->objectName(), "Edit1");
        EXPECT_EQ(row.box->text(), "7");
        EXPECT_EQ(row.box->width(), c.look.boxWidth);
    }
}

// The rows stand from the first line down, their boxes named and kept in
// the window's members, inputs holding the model's starting text, results
// empty; a chooser stands in the caption's column; every row is bound in
// its order.
TEST(FieldGrid, LayFieldsMakesAndBindsTheBoxes) {
    QWidget parent;
    auto* grid = new QGridLayout(&parent);
    auto* chooser = new QRadioButton(QStringLiteral("Moc źródła ciepła"), &parent);
    QLineEdit* height = nullptr;
    const Row rows[] = {
        {"Edit2", &height, {"Wysokość", "H", nullptr, "m"}, {}, FieldRole::Input, &Texts::height},
        {"Edit9", nullptr, {nullptr, nullptr, nullptr, "kW"}, {"Moc", "Q"}, FieldRole::Input, &Texts::power, nullptr,
         chooser},
        {"Edit8", nullptr, {"Czas", "τ", nullptr, "s"}, {}, FieldRole::Result, &Texts::time},
    };
    Bindings bindings;
    const std::vector<FieldRowWidgets> laid =
        LayFields(grid, 3, rows, {.symbol = FieldLook::Symbol::Bold}, bindings, Texts{"2,0", "15", "60"});

    ASSERT_EQ(laid.size(), 3u);
    EXPECT_EQ(height, laid[0].box);
    EXPECT_EQ(Cell(grid, laid[0].box), std::optional(std::pair(3, 2)));
    EXPECT_EQ(Cell(grid, chooser), std::optional(std::pair(4, 0)));
    EXPECT_EQ(laid[1].caption, chooser);
    EXPECT_EQ(Cell(grid, laid[2].unit), std::optional(std::pair(5, 3)));
    EXPECT_EQ(laid[2].box->objectName(), "Edit8");
    EXPECT_EQ(height->text(), "2,0");
    EXPECT_EQ(laid[1].box->text(), "15");
    EXPECT_EQ(laid[2].box->text(), "");

    ASSERT_EQ(bindings.Rows().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(bindings.Rows()[i].edit, laid[i].box);
    laid[1].box->setText(QStringLiteral("20"));
    EXPECT_EQ(bindings.Read().power, "20");
    const FieldRows inputs = bindings.Report(FieldRole::Input);
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[1].label, "Moc");
    EXPECT_EQ(inputs[1].unit, "kW");
}

// A long result written into a narrow box shows its first digits (the
// start of the number), whichever alignment; typing keeps its order and
// its cursor at the end of what was typed, focused or not.
TEST(FieldGrid, AWrittenTextShowsItsStart) {
    QWidget window;
    QLineEdit* left = NewEdit(&window, QStringLiteral("Edit11"));
    QLineEdit* right = NewEdit(&window, QStringLiteral("Edit8"));
    right->setAlignment(Qt::AlignRight);
    for (QLineEdit* box : {left, right}) {
        box->setFixedWidth(40);
        box->setText(QStringLiteral("79,4856661089299"));
        EXPECT_EQ(box->cursorPosition(), 0) << box->objectName().toStdString();
        box->setText(QStringLiteral("79,4856661089299"));  // the same text again
        EXPECT_EQ(box->cursorPosition(), 0) << box->objectName().toStdString();
    }
    left->clear();
    QTest::keyClicks(left, QStringLiteral("20,5"));
    EXPECT_EQ(left->text(), QStringLiteral("20,5"));
    EXPECT_EQ(left->cursorPosition(), 4);
    left->setText(QStringLiteral("79,4856661089299"));
    EXPECT_EQ(left->cursorPosition(), 0);
}

}  // namespace
}  // namespace vimtal
