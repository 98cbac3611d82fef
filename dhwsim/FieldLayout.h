// Layout pieces the DHW windows share: the grid their rows of caption, box
// and unit stand in, and the unit labels of those rows.
#pragma once

#include "core/ui/Widgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QMargins>

namespace vimtal {

// A grid whose first column, the captions, takes the spare width.
inline QGridLayout* FieldGrid(QWidget* parent, const QMargins& margins, int horizontal, int vertical) {
    QGridLayout* grid = NewGrid(parent, margins, horizontal, vertical);
    grid->setColumnStretch(0, 1);
    return grid;
}

// Degrees: a raised "o" before the "C".
inline QLabel* DegreesLabel(QWidget* parent) { return NewLabel(parent, {}, QStringLiteral("<sup>o</sup>C")); }

// A unit label; null: degrees.
inline QLabel* UnitLabel(QWidget* parent, const char* unit) {
    return unit ? NewLabel(parent, {}, QString::fromUtf8(unit)) : DegreesLabel(parent);
}

}  // namespace vimtal
