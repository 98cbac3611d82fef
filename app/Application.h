// What the program sets on the Qt application object before any window
// exists: its name (the title of the error boxes), icon, Polish standard
// dialogs, font and the decimal separator of the user's locale.
#pragma once

class QApplication;

namespace vimtal {

void SetUpApplication(QApplication& app);

}  // namespace vimtal
