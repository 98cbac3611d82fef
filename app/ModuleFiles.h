// Files from outside the modules - named on the command line or dropped on
// the launcher - each opened in its module as the user would open it.
//
// For each file the module's window is shown modally, as the launcher's
// button shows it (activated, above the launcher), and inside that first
// activation the file opens as its "Otwórz" opens a chosen file: the same
// reading, checks, messages and error box; a file that cannot be read
// changes nothing. Several files open one after the other, each module
// shown when the previous one has been closed, in the order given. The
// messages for names that cannot be opened come first, in message boxes
// titled "Vimtal info".
//
// With VIMTAL_TRACE_OPENING set, each file opened is reported on stderr
// ("vimtal: opened <path> in TForm15 (3 records)"), for the package check
// and anyone who wants to see what happened without a display.
#pragma once

#include "StartupFiles.h"
#include "WorkModules.h"

namespace vimtal {

class ModuleFiles {
public:
    // An .ixp file opens in the i-x chart, shown above the launcher with its
    // chain.
    explicit ModuleFiles(const WorkModules& modules) : modules_(modules) {}

    // The messages, then each file in its module, one after the other.
    void Open(const StartupFiles& files) const;
    // One file: its module shown modally with the file opened in it.
    void Open(const StartupFile& file) const;

private:
    WorkModules modules_;
};

}  // namespace vimtal
