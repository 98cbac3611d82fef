#include "Forms.h"

#include "About.h"
#include "InfoWindows.h"
#include "Launcher.h"
#include "Settings.h"
#include "core/ui/FormRegistry.h"
#include "core/ui/Platform.h"

#include <QtGlobal>

// Module windows.
#include "orifice/OrificeForm.h"
#include "aircalc/AirCalcForm.h"
#include "dhwsim/DhwChartForm.h"
#include "dhwsim/DhwSettingsForm.h"
#include "dhwsim/DhwSimForm.h"
#include "dhwsizing/TankSizingForm.h"
#include "pressureloss/CatalogueForm.h"
#include "pressureloss/CircuitForm.h"
#include "pressureloss/EditorForm.h"
#include "ductsim/DuctChart.h"
#include "ductsim/DuctForm.h"

// The pictures and texts compiled into the program (a static library's
// resources must be registered by hand).
static void InitResources() { Q_INIT_RESOURCE(resources); }

namespace vimtal {

void CreateForms() {
    InitResources();
    // The order is the program's start-up order: the launcher first, so that
    // it is the main window; each module's windows at their place.
    auto* launcher = new TForm18();
    RegisterForm(launcher);
    platform().SetMainForm(launcher);
    RegisterForm(new TForm1());
    RegisterForm(new TForm2());
    RegisterForm(new TForm3());
    RegisterForm(new TForm10());
    RegisterForm(new TForm4());
    RegisterForm(new TForm5());
    RegisterForm(new TForm6());
    RegisterForm(new TForm7());
    RegisterForm(new TForm8());
    RegisterForm(new TForm9());
    RegisterForm(new TForm11());
    RegisterForm(new TForm12());
    RegisterForm(new TForm13());
    RegisterForm(new TForm14());
    RegisterForm(new TForm15());
    RegisterForm(new TForm16());
    RegisterForm(new TForm17());
    RegisterForm(new TForm19());
    launcher->EnableModuleButtons();
}

void DestroyForms() {
    const std::vector<Form*> forms = RegisteredForms();
    UnregisterAllForms();
    platform().ResetModalState();
    // Later windows may refer to earlier ones while they go: destroy in
    // reverse order of creation.
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) delete *it;
}

}  // namespace vimtal
