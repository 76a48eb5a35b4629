#include "model/instant_run.hpp"

#include <algorithm>
#include <cstddef>

#include "model/untraced_stretch.hpp"

namespace mirvok {
namespace {

// Events are offered every this many steps; asking the window costs far
// more than a step, and the window itself decides whether time has come.
// Between two offers nothing can change a rate, so the rates are read once
// per stretch.
constexpr int kStepsBetweenEvents = 256;

// The end of the stretch that starts at curStep.
int stretchEnd(const SimState& s) {
    return s.curStep + std::min(kStepsBetweenEvents, s.Nsteps - s.curStep);
}

// One stretch without traces: the tight loop, then the exact step for
// whatever it left (a failing rate, a volume near the end of the range).
RunEnd runStretchWithoutTraces(SimState& s, LatchedRates& rates, RunHooks& hooks, int end) {
    if (advanceWithoutTraces(s, rates, end)) {
        if (s.curStep == s.Nsteps) hooks.stopRun();
        return RunEnd::Completed;
    }
    while (s.curStep < end)
        if (stepWithoutTraces(s, rates, hooks) == StepOutcome::RateFailed)
            return RunEnd::RateFailed;
    return RunEnd::Completed;
}

}  // namespace

void fitTrains(SimState& s) {
    s.inTrain.resize(static_cast<std::size_t>(s.Nsteps), 0);
    s.outTrain.resize(static_cast<std::size_t>(s.Nsteps), 0);
}

RunEnd runInstant(SimState& s, ResetValues& values, RateSource& rates, RunHooks& hooks) {
    resetSimulation(s, values);
    fitTrains(s);
    LatchedRates latched(rates);
    while (s.curStep < s.Nsteps) {
        hooks.pumpEvents();
        if (s.curStep >= s.Nsteps) break;
        latched.forget();
        if (stepRepeatedly(s, latched, hooks, kStepsBetweenEvents) == StepOutcome::RateFailed)
            return RunEnd::RateFailed;
    }
    return RunEnd::Completed;
}

RunEnd runWithoutTraces(SimState& s, ResetValues& values, RateSource& rates, RunHooks& hooks) {
    resetSimulation(s, values, TraceKeeping::None);
    fitTrains(s);
    LatchedRates latched(rates);
    while (s.curStep < s.Nsteps) {
        hooks.pumpEvents();
        if (s.curStep >= s.Nsteps) break;
        latched.forget();
        if (runStretchWithoutTraces(s, latched, hooks, stretchEnd(s)) == RunEnd::RateFailed)
            return RunEnd::RateFailed;
    }
    return RunEnd::Completed;
}

}  // namespace mirvok
