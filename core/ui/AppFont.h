// The program's font: the windows were laid out for an 8-point sans-serif
// face of Arial's proportions, so Liberation Sans (metric-compatible with
// Arial) at 8 points is used where it is installed, DejaVu Sans otherwise.
#pragma once

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace vimtal {

inline void ApplyApplicationFont() {
    const QString family = QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))
                               ? QStringLiteral("Liberation Sans")
                               : QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPointSize(8);
    QApplication::setFont(font);
}

}  // namespace vimtal
