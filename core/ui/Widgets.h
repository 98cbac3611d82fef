// Small factories for the controls every window uses, so that each control
// gets its objectName (the name tests and people find it by) in one place.
#pragma once

#include "core/ui/WidgetsFwd.h"

#include <QColor>
#include <QIcon>
#include <QKeySequence>
#include <QString>

class QMargins;

namespace vimtal {

class Form;

// The classic 16-colour palette the windows were designed with.
namespace colors {
inline const QColor Black{0, 0, 0};
inline const QColor Maroon{128, 0, 0};
inline const QColor Green{0, 128, 0};
inline const QColor Navy{0, 0, 128};
inline const QColor Teal{0, 128, 128};
inline const QColor Gray{128, 128, 128};
inline const QColor Red{255, 0, 0};
inline const QColor Blue{0, 0, 255};
inline const QColor White{255, 255, 255};
inline const QColor InfoBackground{255, 255, 225};  // the pale yellow of tool tips
}  // namespace colors

QLineEdit* NewEdit(QWidget* parent, const QString& name, const QString& text = {});
// A grid layout on `parent` with its margins and the spacing between its
// columns and between its rows (-1: the style's own).
QGridLayout* NewGrid(QWidget* parent, const QMargins& margins, int columnSpacing, int rowSpacing);
QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text);
QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption);

// Buttons with a standard role: OK closes the window with mrOk, Cancel with
// mrCancel (and answers the Esc key), Close simply closes it.
enum class BitBtnKind { Ok, Cancel, Close };
QPushButton* NewBitBtn(Form* form, QWidget* parent, const QString& name, BitBtnKind kind, const QString& caption = {});

// A menu item; `name` is its caption without blanks, dots and Polish letters,
// followed by "1" ("Zamknij1", "Otwrz1").
QAction* NewAction(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& shortcut = {},
                   const QIcon& icon = {});

// Text colour of a label, edit, group box or button.
void SetTextColor(QWidget* widget, const QColor& color);
// Background of an edit or memo.
void SetBaseColor(QWidget* widget, const QColor& color);
// Font size in points and weight, keeping the family.
void SetFont(QWidget* widget, double points, bool bold = false);

}  // namespace vimtal
