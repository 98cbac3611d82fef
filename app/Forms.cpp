#include "Forms.h"

#include "About.h"
#include "ExitQuestions.h"
#include "InfoWindows.h"
#include "Launcher.h"
#include "ModuleFiles.h"
#include "Settings.h"
#include "core/AmbientAir.h"
#include "core/ui/Platform.h"
#include "core/ui/WindowLink.h"

#include <QCoreApplication>
#include <QtGlobal>

#include <memory>
#include <stdexcept>

// Module windows.
#include "orifice/OrificeForm.h"
#include "aircalc/AirCalcForm.h"
#include "aircalc/IxChartDialogs.h"
#include "aircalc/IxChartForm.h"
#include "dhwsim/DhwChartForm.h"
#include "dhwsim/DhwSettingsForm.h"
#include "dhwsim/DhwSimForm.h"
#include "dhwsizing/TankSizingForm.h"
#include "pressureloss/CatalogueForm.h"
#include "pressureloss/CircuitForm.h"
#include "pressureloss/EditorForm.h"
#include "pressureloss/Session.h"
#include "ductsim/DuctChart.h"
#include "ductsim/DuctForm.h"

// The pictures and texts compiled into the program (a static library's
// resources must be registered by hand).
static void InitResources() { Q_INIT_RESOURCE(resources); }

namespace vimtal {

namespace {

// What the windows share, and the links to the windows that earlier windows
// open: owned here, outside the windows, for as long as they live.
struct Program {
    AmbientAir ambientAir;
    pressureloss::Session pressureLoss{ambientAir};

    WindowLink<TForm1> orifice;
    WindowLink<TForm2> settings;
    WindowLink<TForm3> about;
    WindowLink<TForm10> airCalculator;
    WindowLink<TForm4> airHelp;
    WindowLink<TForm5> dhwSimulation;
    WindowLink<TForm6> dhwChart;
    WindowLink<TForm7> dhwSettings;
    WindowLink<TForm8> dhwAssumptions;
    WindowLink<TForm9> ductCooling;
    WindowLink<TForm11> ductAssumptions;
    WindowLink<TForm12> ductScheme;
    WindowLink<TForm13> ductChart;
    WindowLink<TForm14> dhwScheme;
    WindowLink<TForm15> circuit;
    WindowLink<TForm16> catalogue;
    WindowLink<TForm17> editor;
    WindowLink<TForm19> dhwSizing;
    WindowLink<IxChartForm> ixChart;
    WindowLink<IxRangeForm> ixRange;
    WindowLink<IxStateForm> ixState;
    WindowLink<IxProcessForm> ixProcess;

    // Files from outside, opened in the modules that read them.
    ModuleFiles files{{circuit, dhwSimulation, ductCooling, ixChart}};
    // Work not saved, asked about before the program ends.
    ExitQuestions exitQuestions{{circuit, dhwSimulation, ductCooling, ixChart}};

    // Every window, in the order of creation.
    std::vector<Form*> windows;
};

std::unique_ptr<Program> program;

// Creates a window, binds its link and keeps it with the program's windows.
template <typename T, typename... Args>
T& Create(WindowLink<T>& link, Args&&... args) {
    auto* window = new T(std::forward<Args>(args)...);
    link.Bind(*window);
    program->windows.push_back(window);
    return *window;
}

}  // namespace

std::vector<Form*> CreateForms() {
    InitResources();
    if (program) throw std::logic_error("the windows exist already");
    program = std::make_unique<Program>();
    Program& p = *program;

    // The order is the program's start-up order: the launcher first, so that
    // it is the main window; each module's windows at their place.
    auto* launcher = new TForm18(p.settings, p.about,
                                 {&p.dhwSimulation, &p.dhwSizing, &p.ductCooling, &p.airCalculator, &p.orifice,
                                  &p.circuit},
                                 p.files, p.exitQuestions);
    p.windows.push_back(launcher);
    platform().SetMainForm(launcher);
    Create(p.orifice, p.ambientAir);
    Create(p.settings, p.ambientAir);
    Create(p.about);
    TForm10& airCalculator = Create(p.airCalculator, p.airHelp, p.ixChart);
    Create(p.airHelp);
    TForm5& dhw = Create(p.dhwSimulation, p.dhwChart, p.dhwSettings, p.dhwAssumptions, p.dhwScheme);
    Create(p.dhwChart, dhw);
    Create(p.dhwSettings);
    Create(p.dhwAssumptions);
    TForm9& duct = Create(p.ductCooling, p.ductChart, p.ductAssumptions, p.ductScheme);
    Create(p.ductAssumptions);
    Create(p.ductScheme);
    Create(p.ductChart, duct);
    Create(p.dhwScheme);
    TForm15& circuit = Create(p.circuit, p.ambientAir, p.pressureLoss, p.catalogue);
    Create(p.catalogue, p.ambientAir, p.pressureLoss, p.editor);
    Create(p.editor, p.ambientAir, p.pressureLoss, circuit);
    Create(p.dhwSizing, dhw);
    // Windows added to the suite since, after its original nineteen.
    IxChartForm& ixChart = Create(p.ixChart, airCalculator, IxDialogs{p.ixRange, p.ixState, p.ixProcess});
    Create(p.ixRange, ixChart);
    Create(p.ixState, ixChart);
    Create(p.ixProcess, ixChart);
    launcher->EnableModuleButtons();
    return p.windows;
}

void DestroyForms() {
    std::vector<Form*> forms;
    if (program) forms.swap(program->windows);
    platform().ResetModalState();
    // Later windows may refer to earlier ones while they go: destroy in
    // reverse order of creation, then what they shared.
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) delete *it;
    program.reset();
}

void OpenStartupFiles(const StartupFiles& files) {
    if (!program) throw std::logic_error("the windows do not exist");
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [files] { if (program) program->files.Open(files); }, Qt::QueuedConnection);
}

AmbientAir& ProgramAmbientAir() {
    if (!program) throw std::logic_error("the windows do not exist");
    return program->ambientAir;
}

}  // namespace vimtal
