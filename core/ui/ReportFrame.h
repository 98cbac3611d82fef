// The frame of a report's pages: the header (the program's logo, its name
// and version, the window's caption, the date and time) and the footer
// "Strona N z M" on every page, and the fields for the signatures that end
// the report.
#pragma once

#include <QDateTime>
#include <QString>

class QPainter;
class QSvgRenderer;

namespace vimtal::paper {

class Pager;
class Sheet;

// Where the body of a page begins below the header, and how far above the
// sheet's bottom it ends.
double HeaderHeight(const Sheet& sheet);
double FooterHeight(const Sheet& sheet);

// The header and footer of page `number` of `count`; `logo` may be null.
void DrawPageFrame(QPainter& painter, const Sheet& sheet, const QString& caption, int number, int count,
                   QSvgRenderer* logo, const QDateTime& when);

// The room the signatures take below the report's last block.
double SignaturesRoom(const Sheet& sheet);
// "Opracował" and "Sprawdził", each with a line for the name and the
// signature, after what the pager holds.
void PlaceSignatures(Pager& pager, const Sheet& sheet);

}  // namespace vimtal::paper
