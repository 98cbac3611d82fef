#include "ExitQuestions.h"

#include "aircalc/IxChartForm.h"
#include "core/Messages.h"
#include "core/ui/ModuleWork.h"
#include "core/ui/Platform.h"
#include "dhwsim/ChargingModel.h"
#include "dhwsim/DhwSimForm.h"
#include "ductsim/DuctForm.h"
#include "pressureloss/CircuitForm.h"

#include <array>

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

// The questions in the order they are asked, each with its module's work
// (null while the module's window does not exist).
std::array<Question, 4> QuestionsOf(const WorkModules& m) {
    return {{
        {WorkOf(m.circuit), "Zapisać zmiany w obiegu krytycznym przed zamknięciem programu?", kInfoTitle},
        {WorkOf(m.dhwSimulation), "Zapisać zmiany w danych symulacji CWU przed zamknięciem programu?",
         dhwsim::kDhwInfoTitle},
        {WorkOf(m.ductCooling), "Zapisać zmiany w danych symulacji kanału przed zamknięciem programu?", kInfoTitle},
        {WorkOf(m.airProcesses), "Zapisać zmiany w przemianach powietrza przed zamknięciem programu?", kInfoTitle},
    }};
}

}  // namespace

bool ExitQuestions::MayClose() const {
    for (const Question& q : QuestionsOf(modules_)) {
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
    for (const Question& q : QuestionsOf(modules_)) {
        if (q.work) q.work->AcceptChanges();
    }
    return true;
}

}  // namespace vimtal
