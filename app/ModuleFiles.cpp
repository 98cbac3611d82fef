#include "ModuleFiles.h"

#include "aircalc/IxChartForm.h"
#include "core/Messages.h"
#include "core/ui/Platform.h"
#include "core/ui/Text.h"
#include "dhwsim/DhwSimForm.h"
#include "ductsim/DuctForm.h"
#include "pressureloss/CircuitForm.h"

#include <QtGlobal>

#include <cstdio>
#include <functional>

namespace vimtal {

namespace {
void Trace(const QString& path, const FormLink& module, int records) {
    if (!qEnvironmentVariableIsSet("VIMTAL_TRACE_OPENING")) return;
    std::fprintf(stderr, "vimtal: opened %s in %s (%d records)\n", qPrintable(path),
                 qPrintable(module.GetForm().objectName()), records);
}

// Shows the module as the launcher's button does; `open` runs inside the
// module's modal showing, once it has been activated, as a click on "Otwórz"
// would. The real platform returns when the module has been closed.
void ShowWithFile(const FormLink& module, const QString& path, std::function<int()> open) {
    if (!module.Bound()) return;
    QMetaObject::invokeMethod(
        &module.GetForm(),
        [&module, path, open] {
            // A negative count: the file could not be opened (the error box
            // has said why).
            const int records = open();
            if (records >= 0) Trace(path, module, records);
        },
        Qt::QueuedConnection);
    module.ShowModal();
}
}  // namespace

void ModuleFiles::Open(const StartupFiles& files) const {
    for (const std::string& message : files.messages) {
        platform().MessageBox(FromStd(message), FromStd(kInfoTitle));
    }
    for (const StartupFile& file : files.files) Open(file);
}

void ModuleFiles::Open(const StartupFile& file) const {
    const QString path = FromStd(file.path);
    const WorkModules& m = modules_;
    switch (file.kind) {
    // Each module shows the errors of its own file.
    case FileKind::DhwSimulation:
        ShowWithFile(m.dhwSimulation, path, [&m, path] { return m.dhwSimulation->Open(path) ? 1 : -1; });
        return;
    case FileKind::DuctCooling:
        ShowWithFile(m.ductCooling, path, [&m, path] { return m.ductCooling->Open(path) ? 1 : -1; });
        return;
    case FileKind::PressureLoss:
        ShowWithFile(m.circuit, path, [&m, path] { return m.circuit->Open(path) ? m.circuit->Circuit().Count() : -1; });
        return;
    case FileKind::AirProcesses:
        // The records of a chain: its states.
        ShowWithFile(m.airProcesses, path, [&m, path] {
            return m.airProcesses->Open(path) ? static_cast<int>(m.airProcesses->ChainResults().states.size()) : -1;
        });
        return;
    }
}

}  // namespace vimtal
