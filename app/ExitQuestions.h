// Nothing lost when the program ends: before the launcher closes (its close
// box, "Zamknij", Ctrl+X) and when the desktop session ends, each module
// whose work changed since it was last opened or saved (core/ui/ModuleWork.h)
// is asked about, in this order:
//
//   the circuit      "Zapisać zmiany w obiegu krytycznym przed zamknięciem programu?"       "Vimtal info"
//   the DHW inputs   "Zapisać zmiany w danych symulacji CWU przed zamknięciem programu?"    "VIMTAL info"
//   the duct inputs  "Zapisać zmiany w danych symulacji kanału przed zamknięciem programu?" "Vimtal info"
//   the i-x chain    "Zapisać zmiany w przemianach powietrza przed zamknięciem programu?"   "Vimtal info"
//
// each under the title of its module's own messages, with "Zapisz", "Nie
// zapisuj" and "Anuluj" (Platform::AskToSave). "Zapisz" saves as the
// module's "Zapisz" does; a save dialog cancelled or a file not written
// keeps the program running, as "Anuluj" does.
#pragma once

#include "WorkModules.h"

namespace vimtal {

class ExitQuestions {
public:
    explicit ExitQuestions(const WorkModules& modules) : modules_(modules) {}

    // Asks about each module whose work changed; true when the program may
    // end (every question answered "Zapisz" with the work saved, or "Nie
    // zapisuj").
    bool MayClose() const;
    // The same when the session manager lets the program ask (`mayAsk`);
    // otherwise nothing is asked and the session ends. Work the user chose
    // not to save is then taken as it is, so that the launcher's closing
    // that follows does not ask again.
    bool MaySessionEnd(bool mayAsk) const;

private:
    WorkModules modules_;
};

}  // namespace vimtal
