// Shows the wait cursor for the lifetime of the object: short work done on
// the user-interface thread (a search, opening a file, a printer's sheet
// whose charts are already computed).
#pragma once

#include <QApplication>
#include <QCursor>

namespace vimtal {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace vimtal
