// Shows the wait cursor for the lifetime of the object (a long simulation or
// chart paint runs in the user-interface thread).
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
