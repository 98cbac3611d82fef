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

}  // namespace vimtal
