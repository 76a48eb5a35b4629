#include "model/instant_run.hpp"

#include <algorithm>
#include <cstddef>

#include "model/input_train.hpp"
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
StepOutcome stretchWithoutTraces(SimState& s, LatchedRates& rates, RunHooks& hooks) {
    const int end = stretchEnd(s);
    if (advanceWithoutTraces(s, rates, end)) {
        if (s.curStep == s.Nsteps) hooks.stopRun();
        return StepOutcome::Done;
    }
    while (s.curStep < end) {
        const StepOutcome outcome = stepWithoutTraces(s, rates, hooks);
        if (outcome == StepOutcome::RateFailed) return outcome;
        if (outcome == StepOutcome::Skipped) break;  // nothing left that fits
    }
    return StepOutcome::Done;
}

// Reset, fit the trains, then offer events and run one stretch at a time.
template <class Stretch>
RunEnd runInStretches(SimState& s, ValueSource& values, RunHooks& hooks, TraceKeeping traces,
                      Stretch stretch) {
    resetSimulation(s, values, traces);
    fitTrains(s);
    LatchedRates latched(values);
    while (s.curStep < s.Nsteps) {
        hooks.pumpEvents();
        if (s.curStep >= s.Nsteps) break;
        latched.forget();
        if (stretch(s, latched, hooks) == StepOutcome::RateFailed) return RunEnd::RateFailed;
    }
    return RunEnd::Completed;
}

}  // namespace

void fitTrains(SimState& s) {
    // Unchanged when the run length is: a batch runs each train once.
    if (s.inTrain.size() != static_cast<std::size_t>(s.Nsteps)) buildInputTrain(s);
    s.outTrain.resize(static_cast<std::size_t>(s.Nsteps), 0);
}

RunEnd runInstant(SimState& s, ValueSource& values, RunHooks& hooks) {
    return runInStretches(s, values, hooks, TraceKeeping::Every,
                          [](SimState& state, LatchedRates& latched, RunHooks& runHooks) {
                              return stepRepeatedly(state, latched, runHooks, kStepsBetweenEvents);
                          });
}

RunEnd runWithoutTraces(SimState& s, ValueSource& values, RunHooks& hooks) {
    return runInStretches(s, values, hooks, TraceKeeping::None, stretchWithoutTraces);
}

}  // namespace mirvok
