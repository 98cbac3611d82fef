// How a long computation on a worker thread tells how far it has got and
// learns that the user wants it stopped, without knowing about windows.
//
// The loop reports the fraction of its work done and asks StopRequested()
// every few thousand steps (two relaxed atomic operations: nothing
// measurable beside a step's arithmetic); when a stop is requested it throws
// Cancelled, so that no result of a stopped run is ever written.
#pragma once

#include <atomic>
#include <exception>

namespace vimtal {

class RunControl {
public:
    // The fraction of the work done, 0 to 1 (values outside are clamped).
    void Report(double fraction) noexcept {
        fraction_.store(fraction < 0.0 ? 0.0 : (fraction > 1.0 ? 1.0 : fraction), std::memory_order_relaxed);
    }
    double Fraction() const noexcept { return fraction_.load(std::memory_order_relaxed); }

    void RequestStop() noexcept { stop_.store(true, std::memory_order_relaxed); }
    bool StopRequested() const noexcept { return stop_.load(std::memory_order_relaxed); }

private:
    std::atomic<double> fraction_{0.0};
    std::atomic<bool> stop_{false};
};

// Thrown by a computation that saw a stop request: it ends without a result.
class Cancelled : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

// How often a stepping loop reports and looks at the stop request.
inline constexpr unsigned kStepsBetweenChecks = 4096;

// The most time steps a simulation may take. Ten million take under a
// second; a hundred million still end in seconds, while a slip in a time
// step (1e-9 s) would otherwise ask for years. A run that would need more is
// refused before its first step.
inline constexpr double kMaxSteps = 100'000'000.0;

// How a stepping loop tells a RunControl how far it has got. A computation
// may run its model more than once (a chart: once for the axes, once for
// the curve); each run is one of `runs` equal shares of the bar, this one
// the share numbered `run` (from 0). Without a control it watches nothing.
class RunWatch {
public:
    RunWatch() = default;
    explicit RunWatch(RunControl* control, int run = 0, int runs = 1) : control_(control), run_(run), runs_(runs) {}

    // Called every kStepsBetweenChecks steps with how far the run has got,
    // `done` of `end` (the simulated time and where the run ends at the
    // latest); throws Cancelled when a stop has been requested.
    void operator()(double done, double end) const {
        if (!control_) return;
        const double share = end > 0 ? done / end : 0.0;
        control_->Report((run_ + (share < 1.0 ? share : 1.0)) / runs_);
        if (control_->StopRequested()) throw Cancelled();
    }

    RunControl* Control() const { return control_; }

private:
    RunControl* control_ = nullptr;
    int run_ = 0;
    int runs_ = 1;
};

// The control of the computation running on this thread, for code that a
// long computation reaches only through layers that do not pass it on (the
// charts of a report, drawn by the report's renderer). Null when none is.
RunControl* CurrentRunControl() noexcept;

// Makes `control` the current one of this thread for its lifetime.
class CurrentRunScope {
public:
    explicit CurrentRunScope(RunControl& control) noexcept;
    ~CurrentRunScope();
    CurrentRunScope(const CurrentRunScope&) = delete;
    CurrentRunScope& operator=(const CurrentRunScope&) = delete;

private:
    RunControl* previous_;
};

}  // namespace vimtal
