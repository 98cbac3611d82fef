#include "NotesLabel.h"

#include "Text.h"
#include "Widgets.h"

#include <QMouseEvent>
#include <QToolTip>

namespace vimtal {

namespace {
// Dark orange: seen at once beside the black and navy texts, and not the red
// of an error.
const QColor kNoteColour(204, 85, 0);

// A long note wraps in a rich-text tooltip; each note stays a paragraph of
// its own.
QString RichList(const Notes& notes) {
    // A table of a set width: a tooltip would otherwise wrap the notes into
    // a narrow column.
    QString html = QStringLiteral("<qt><table width=\"440\">");
    for (const std::string& note : notes) {
        html += QStringLiteral("<tr><td style=\"padding-bottom: 3px\">%1</td></tr>").arg(FromStd(note).toHtmlEscaped());
    }
    return html + QStringLiteral("</table></qt>");
}
}  // namespace

NotesLabel::NotesLabel(QWidget* parent, int x, int y, int width) : QLabel(parent) {
    setObjectName(QStringLiteral("LabelUwagi"));
    SetTextColor(this, kNoteColour);
    SetFont(this, 8, true);
    setCursor(Qt::PointingHandCursor);
    setGeometry(x, y, width, fontMetrics().height() + 4);
    hide();
}

void NotesLabel::ShowNotes(const Notes& notes) {
    notes_ = notes;
    if (notes_.empty()) {
        clear();
        setToolTip({});
        hide();
        return;
    }
    setText(QStringLiteral("⚠ Uwagi: %1").arg(notes_.size()));
    setToolTip(RichList(notes_));
    show();
    raise();
}

void NotesLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !notes_.empty()) {
        QToolTip::showText(mapToGlobal(QPoint(0, height())), RichList(notes_), this);
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace vimtal
