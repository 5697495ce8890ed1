#pragma once
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <string>

#include "core/Shell.h"

namespace qx {

// The progress window for the length of a scope, closed on every way out.
class TProgressScope {
public:
    TProgressScope(TShell& shell, const std::string& text, int64_t steps, bool stoppable = false)
        : FShell(shell) {
        shell.ShowProgress(text, static_cast<int>(std::clamp<int64_t>(steps, 0, INT_MAX)), stoppable);
    }
    ~TProgressScope() { FShell.HideProgress(); }
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;

private:
    TShell& FShell;
};

// Advances the shell's progress window one step per call but repaints at most every interval:
// a window that repaints for each of thousands of quick steps costs more than the work itself.
// The steps not shown yet are handed over on Flush (and when the pacer goes).
class TProgressPacer {
public:
    explicit TProgressPacer(TShell& shell, std::chrono::milliseconds interval = std::chrono::milliseconds(50))
        : FShell(shell), FInterval(interval), FLast(Clock::now()) {}
    ~TProgressPacer() { Flush(); }
    TProgressPacer(const TProgressPacer&) = delete;
    TProgressPacer& operator=(const TProgressPacer&) = delete;

    void Step() {
        ++FPending;
        const Clock::time_point now = Clock::now();
        if (now - FLast < FInterval) return;
        FLast = now;
        Flush();
    }
    void Flush() {
        if (FPending == 0) return;
        FShell.StepProgress(FPending);
        FPending = 0;
    }

private:
    using Clock = std::chrono::steady_clock;
    TShell& FShell;
    std::chrono::milliseconds FInterval;
    Clock::time_point FLast;
    int FPending = 0;
};

} // namespace qx
