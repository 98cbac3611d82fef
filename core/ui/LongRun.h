// Long computations off the window's thread.
//
// RunWithProgress runs the work on a worker thread and returns when it has
// ended, so that a click handler keeps its order of messages and results;
// meanwhile the window's thread goes on painting and answering. User input
// waits (as it would behind a busy thread) until, after kProgressDelay, a
// modal progress dialog appears over the window: "Trwają obliczenia...", a
// bar that follows the fraction the work reports, and "Anuluj", which asks
// the work to stop. A short computation shows only the wait cursor.
//
//   const auto result = RunWithProgress<Result>(this, [inputs](RunControl& control) {
//       return Simulate(inputs, control);
//   });
//   if (!result) return;  // cancelled: nothing is written
#pragma once

#include "core/RunControl.h"

#include <chrono>
#include <functional>
#include <optional>

class QWidget;
class QProgressDialog;

namespace vimtal {

// How long a computation runs before its progress dialog appears.
inline constexpr std::chrono::milliseconds kProgressDelay{400};

// Runs `work` on a worker thread with `control`, showing the progress dialog
// over `owner` (over the active window when `owner` is null or hidden) once
// it takes longer than the delay. Returns
// false when the work ended by throwing Cancelled; any other exception it
// throws is thrown again here, on the calling thread.
bool RunWithProgress(QWidget* owner, RunControl& control, const std::function<void()>& work);

template <typename Result>
std::optional<Result> RunWithProgress(QWidget* owner, const std::function<Result(RunControl&)>& work) {
    RunControl control;
    std::optional<Result> result;
    if (!RunWithProgress(owner, control, [&] { result.emplace(work(control)); })) return std::nullopt;
    return result;
}

// Tests only: the delay before the dialog appears (default kProgressDelay),
// and a hook that sees each progress dialog as it appears.
void SetProgressDelay(std::chrono::milliseconds delay);
void SetProgressDialogHook(std::function<void(QProgressDialog&)> hook);

}  // namespace vimtal
