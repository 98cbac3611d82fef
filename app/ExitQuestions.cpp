#include "ExitQuestions.h"

#include "aircalc/IxChartForm.h"
#include "core/Messages.h"
#include "core/ui/ModuleWork.h"
#include "core/ui/Platform.h"
#include "dhwsim/ChargingModel.h"
#include "dhwsim/DhwSimForm.h"
#include "ductsim/DuctForm.h"
#include "pressureloss/CircuitForm.h"

#include <vector>

namespace vimtal {

namespace {

struct Question {
    ModuleWork* work;
    const char* text;
    const char* title;
};

template <typename T>
ModuleWork* WorkOf(WindowLink<T>& link) {
    return link.Bound() ? &*link : nullptr;
}

}  // namespace

ExitQuestions::ExitQuestions(WindowLink<TForm15>& circuit, WindowLink<TForm5>& dhwSimulation,
                             WindowLink<TForm9>& ductCooling, WindowLink<IxChartForm>& airProcesses)
    : circuit_(circuit), dhwSimulation_(dhwSimulation), ductCooling_(ductCooling), airProcesses_(airProcesses) {}

bool ExitQuestions::MayClose() const {
    const Question questions[] = {
        {WorkOf(circuit_), "Zapisać zmiany w obiegu krytycznym przed zamknięciem programu?", kInfoTitle},
        {WorkOf(dhwSimulation_), "Zapisać zmiany w danych symulacji CWU przed zamknięciem programu?",
         dhwsim::kDhwInfoTitle},
        {WorkOf(ductCooling_), "Zapisać zmiany w danych symulacji kanału przed zamknięciem programu?", kInfoTitle},
        {WorkOf(airProcesses_), "Zapisać zmiany w przemianach powietrza przed zamknięciem programu?", kInfoTitle},
    };
    for (const Question& q : questions) {
        if (!q.work || !q.work->Changed()) continue;
        switch (platform().AskToSave(QString::fromUtf8(q.text), QString::fromUtf8(q.title))) {
        case SaveAnswer::Save:
            if (!q.work->SaveChanges()) return false;
            break;
        case SaveAnswer::Discard:
            break;
        case SaveAnswer::Cancel:
            return false;
        }
    }
    return true;
}

bool ExitQuestions::MaySessionEnd(bool mayAsk) const {
    if (!mayAsk) return true;
    if (!MayClose()) return false;
    for (ModuleWork* work : {WorkOf(circuit_), WorkOf(dhwSimulation_), WorkOf(ductCooling_), WorkOf(airProcesses_)}) {
        if (work) work->AcceptChanges();
    }
    return true;
}

}  // namespace vimtal
