// "⚠ Uwagi: N": the label that tells the engineer when a calculation's
// inputs leave the assumptions of its model (core/Notes.h).
//
// Hidden and empty while the last calculation has no note. With notes it
// shows their number in dark orange; its tooltip, and a click on it, list
// them one a line. It lies over free space of its window at a fixed place
// outside any layout, so no control moves when it appears.
#pragma once

#include "core/Notes.h"

#include <QLabel>

namespace vimtal {

class NotesLabel : public QLabel {
    Q_OBJECT
public:
    // objectName "LabelUwagi", at (x, y) of `parent`, `width` pixels wide.
    NotesLabel(QWidget* parent, int x, int y, int width);

    // The notes of the calculation just made (none: hidden and empty).
    void ShowNotes(const Notes& notes);
    const Notes& CurrentNotes() const { return notes_; }

protected:
    // A tooltip hides itself on a press or a release of a mouse button:
    // the list is shown once the click is over.
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Notes notes_;
};

}  // namespace vimtal
