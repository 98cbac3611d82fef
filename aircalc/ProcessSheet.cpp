#include "aircalc/ProcessSheet.h"

#include "core/Errors.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/Report.h"

#include <algorithm>
#include <utility>

namespace vimtal::aircalc {

namespace {

const std::string kNone = "–";

std::string Quoted(const std::string& name) { return "„" + name + "”"; }

std::string Optional(const std::optional<double>& value, int digit) {
    return value ? RoundedDisplay(*value, digit) : kNone;
}

std::string StartText(const std::vector<std::string>& from) {
    std::string text;
    for (std::size_t k = 0; k < from.size(); ++k) text += (k ? "+" : "") + from[k];
    return text;
}

// "2 (ogrzewanie, M → 3)": a process as the messages name it.
std::string ProcessName(const ChainInput& chain, std::size_t n) {
    const ProcessInput& p = chain.processes[n];
    return std::to_string(n + 1) + " (" + aircalc::ProcessName(p.type) + ", " + StartText(p.from) + " → " + p.to + ")";
}

// The processes from `first` on that start from `name`, for a refusal.
std::vector<std::size_t> StartingFrom(const ChainInput& chain, const std::string& name, std::size_t first) {
    std::vector<std::size_t> found;
    for (std::size_t n = first; n < chain.processes.size(); ++n) {
        const std::vector<std::string>& from = chain.processes[n].from;
        if (std::find(from.begin(), from.end(), name) != from.end()) found.push_back(n);
    }
    return found;
}

void RefuseWhileUsed(const ChainInput& chain, const std::string& what, const std::string& name, std::size_t first) {
    const std::vector<std::size_t> users = StartingFrom(chain, name, first);
    if (users.empty()) return;
    std::string list;
    for (std::size_t k = 0; k < users.size(); ++k) list += (k ? ", " : "") + ProcessName(chain, users[k]);
    const bool one = users.size() == 1;
    throw NoticeError(what + ": z punktu " + Quoted(name) + (one ? " wychodzi przemiana " : " wychodzą przemiany ") + list +
                          (one ? ". Usuń ją najpierw albo zmień jej punkt początkowy."
                               : ". Usuń je najpierw albo zmień ich punkty początkowe."),
                      kInfoTitle);
}

// Every start named `before` in processes from `first` on now names `after`.
void Rename(ChainInput& chain, const std::string& before, const std::string& after, std::size_t first) {
    if (before == after) return;
    for (std::size_t n = first; n < chain.processes.size(); ++n) {
        for (std::string& name : chain.processes[n].from) {
            if (name == before) name = after;
        }
    }
}

}  // namespace

const std::vector<std::string>& StateColumns() {
    static const std::vector<std::string> columns{"Punkt",          "t\n[°C]",  "φ\n[%]",   "x\n[g/kg]", "i\n[kJ/kg]",
                                                  "ρ\n[kg/m³]",     "tr\n[°C]", "tm\n[°C]", "ṁ\n[kg/s]"};
    return columns;
}

const std::vector<std::string>& ProcessColumns() {
    static const std::vector<std::string> columns{"Przemiana", "Z",        "Do",     "Parametry",
                                                  "ṁ\n[kg/s]", "Q\n[kW]", "W\n[kg/h]"};
    return columns;
}

std::vector<std::string> StateCells(const StateResult& s) {
    return {s.fog ? s.name + " (mgła)" : s.name,
            RoundedDisplay(s.t, -1),
            RoundedDisplay(s.phi, -1),
            RoundedDisplay(s.x, -2),
            RoundedDisplay(s.i, -1),
            RoundedDisplay(s.rho, -3),
            RoundedDisplay(s.tr, -1),
            RoundedDisplay(s.tm, -1),
            Optional(s.massFlow, -4)};
}

std::vector<std::string> ProcessCells(const ChainInput& chain, const ChainResult& result, std::size_t n) {
    const ProcessInput& input = chain.processes[n];
    const ProcessResult& p = result.processes[n];
    const std::string parameters = ParametersText(input);
    return {p.name,
            StartText(input.from),
            input.to,
            parameters.empty() ? kNone : parameters,
            Optional(p.massFlow, -4),
            Optional(p.power, -2),
            Optional(p.water, -2)};
}

void AddChainToReport(ReportDocument& report, const ChainInput& chain, const ChainResult& result) {
    const auto columns = [](const std::vector<std::string>& titles) {
        std::vector<report::Column> list;
        for (const std::string& title : titles) list.push_back({title});
        return list;
    };
    report::Table& states = report.AddTable("Punkty", columns(StateColumns()));
    for (const StateResult& s : result.states) states.AddRow(StateCells(s));
    if (!chain.processes.empty()) {
        report::Table& processes = report.AddTable("Przemiany", columns(ProcessColumns()));
        for (std::size_t n = 0; n < chain.processes.size(); ++n) processes.AddRow(ProcessCells(chain, result, n));
    }
}

std::vector<std::string> StartsFor(const ChainInput& chain, std::optional<std::size_t> process) {
    std::vector<std::string> names;
    for (const StateInput& s : chain.states) names.push_back(s.name);
    const std::size_t end = std::min(process.value_or(chain.processes.size()), chain.processes.size());
    for (std::size_t n = 0; n < end; ++n) names.push_back(chain.processes[n].to);
    return names;
}

std::string FreeName(const ChainInput& chain) {
    const auto used = [&](const std::string& name) {
        return std::any_of(chain.states.begin(), chain.states.end(), [&](const StateInput& s) { return s.name == name; }) ||
               std::any_of(chain.processes.begin(), chain.processes.end(),
                           [&](const ProcessInput& p) { return p.to == name; });
    };
    for (int number = 1;; ++number) {
        if (!used(std::to_string(number))) return std::to_string(number);
    }
}

ChainInput PutState(ChainInput chain, std::optional<std::size_t> index, StateInput state) {
    if (!index) {
        chain.states.push_back(std::move(state));
        return chain;
    }
    StateInput& kept = chain.states.at(*index);
    Rename(chain, kept.name, state.name, 0);
    kept = std::move(state);
    return chain;
}

ChainInput PutProcess(ChainInput chain, std::optional<std::size_t> index, ProcessInput process) {
    if (!index) {
        chain.processes.push_back(std::move(process));
        return chain;
    }
    ProcessInput& kept = chain.processes.at(*index);
    Rename(chain, kept.to, process.to, *index + 1);
    kept = std::move(process);
    return chain;
}

ChainInput RemoveState(ChainInput chain, std::size_t index) {
    const std::string name = chain.states.at(index).name;
    RefuseWhileUsed(chain, "Nie można usunąć punktu " + Quoted(name), name, 0);
    chain.states.erase(chain.states.begin() + static_cast<std::ptrdiff_t>(index));
    return chain;
}

ChainInput RemoveProcess(ChainInput chain, std::size_t index) {
    const std::string name = chain.processes.at(index).to;
    RefuseWhileUsed(chain, "Nie można usunąć przemiany " + ProcessName(chain, index), name, index + 1);
    chain.processes.erase(chain.processes.begin() + static_cast<std::ptrdiff_t>(index));
    return chain;
}

}  // namespace vimtal::aircalc
