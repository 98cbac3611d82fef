// The process sheet beside the i-x chart, as plain text and edits: the
// cells of its two tables ("Punkty", "Przemiany"), the same tables for the
// report, and the edits the sheet's buttons make to a chain's inputs.
//
// The sheet lists the given states first, then each process's end state, as
// ChainResult does: a row of "Punkty" below the given states stands for the
// process that made it.
//
// An edit returns the chain's new inputs; the caller recomputes them
// (ComputeChain) and keeps them only when they compute. An edit that would
// leave a process without its start is refused here (NoticeError, "Vimtal
// info"), naming the processes in the way.
#pragma once

#include "aircalc/AirProcesses.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vimtal {
class ReportDocument;
}

namespace vimtal::aircalc {

// The titles of the tables' columns, units in brackets.
const std::vector<std::string>& StateColumns();    // Punkt, t, φ, x, i, ρ, tr, tm, ṁ
const std::vector<std::string>& ProcessColumns();  // Przemiana, Z, Do, Parametry, ṁ, Q, W

// A row of "Punkty", in the locale's numbers: t, phi, i, tr and tm to 0.1,
// x to 0.01, rho to 0.001, m to 0.0001 kg/s ("–" without a flow). A state
// beyond saturation has "(mgła)" after its name.
std::vector<std::string> StateCells(const StateResult& state);

// A row of "Przemiany": the computed name, the start ("A+B" for a mixing),
// the end, the parameters as given (ParametersText; "–" for a mixing), m to
// 0.0001 kg/s, Q and W to 0.01 ("–" where the process has no flow).
std::vector<std::string> ProcessCells(const ChainInput& chain, const ChainResult& result, std::size_t process);

// Both tables and the chain's notes, as the report prints them.
void AddChainToReport(ReportDocument& report, const ChainInput& chain, const ChainResult& result);

// The names a process may start from: the given states and the ends of the
// processes before `process` (of every process when adding one).
std::vector<std::string> StartsFor(const ChainInput& chain, std::optional<std::size_t> process);

// The lowest whole number not yet used as a name ("1", "2", ...), offered
// for a new state.
std::string FreeName(const ChainInput& chain);

// A new given state at the end (`index` empty) or the given state `index`
// replaced; a renamed state takes the processes that start from it along.
ChainInput PutState(ChainInput chain, std::optional<std::size_t> index, StateInput state);

// A new process at the end, or process `index` replaced; a renamed end takes
// the later processes that start from it along.
ChainInput PutProcess(ChainInput chain, std::optional<std::size_t> index, ProcessInput process);

// The given state `index` left out: refused while a process starts from it.
ChainInput RemoveState(ChainInput chain, std::size_t index);

// Process `index` and its end state left out: refused while a later process
// starts from that end.
ChainInput RemoveProcess(ChainInput chain, std::size_t index);

}  // namespace vimtal::aircalc
