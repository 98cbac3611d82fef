// The sheet a report is drawn on: lengths and texts measured on the paged
// device, the report's type and colours, and the two strokes every part of
// the page draws with (a text in a box, a horizontal rule).
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPaintDevice;
class QPainter;

namespace vimtal::paper {

inline const QColor kInk(0, 0, 0);
inline const QColor kQuiet(64, 64, 64);          // header details, footer
inline const QColor kAccent(0, 102, 102);        // the logo's teal: program name, rule under the header
inline const QColor kHairline(176, 176, 176);    // between table rows
inline const QColor kHeaderFill(232, 240, 240);  // behind a table's title row

// The application's face at `points`.
QFont Font(double points, bool bold = false, bool italic = false);

class Sheet {
public:
    explicit Sheet(QPaintDevice& device);

    double Mm(double mm) const { return mm * dpi_ / 25.4; }
    double Pt(double pt) const { return pt * dpi_ / 72.0; }
    // The printable area (inside the margins), in device pixels.
    double Width() const { return width_; }
    double Height() const { return height_; }
    double Hairline() const { return Pt(0.25); }

    double LineHeight(const QFont& font) const;
    // The widest line of the text.
    double TextWidth(const QFont& font, const QString& text) const;
    // The height of the text wrapped at `width`.
    double TextHeight(const QFont& font, const QString& text, double width) const;
    // The widest piece of the text a wrap cannot break: a fitting's name
    // such as "PODSTAWA_DACHOWA_PROSTOKĄTNA" (Qt breaks at spaces and after
    // a '/' or '-', never at '_').
    double WidestUnbreakable(const QFont& font, const QString& text) const;

private:
    QPaintDevice& device_;
    double dpi_;
    double width_;
    double height_;
};

void Rule(QPainter& painter, double x1, double x2, double y, const QColor& colour, double width);
// The text wrapped at the box's width.
void Text(QPainter& painter, const QRectF& box, const QFont& font, const QColor& colour, Qt::Alignment align,
          const QString& text);

}  // namespace vimtal::paper
