#pragma once

#include "model/rates.hpp"
#include "model/sim_state.hpp"

namespace mirvok {

// The model's update for step curStep: coincidence test, traces, output
// spike, refill with cap, depletion at an input spike. Reads each rate from
// the source when it needs it; a source that throws ends the update there,
// leaving what was done so far. A volume that would overflow throws
// RateOverflow, naming the rate its refill or depletion read, before it is
// stored. Does nothing when curStep >= Nsteps or lies
// beyond the traces or trains (a reset that failed halfway). Does not
// advance curStep.
void updateModel(SimState& state, ValueSource& rates);

// What a run needs from whoever drives it (the window, a batch, a test).
class RunHooks {
  public:
    virtual ~RunHooks() = default;
    // Lets pending window events be handled; the instant run calls it every
    // 256 steps, and the window decides whether enough time has passed.
    virtual void pumpEvents() {}
    // After the update of every step, before curStep advances (the window
    // redraws here while "graphic trace" is ticked).
    virtual void afterUpdate() {}
    // Ends the run: at least has it analysed. Called after the last step and
    // when a rate fails.
    virtual void stopRun() = 0;
    // After stopRun on a rate that failed to convert: the window tells the user.
    virtual void rateFailed() {}
};

enum class StepOutcome {
    Skipped,     // curStep was already at Nsteps (or past the traces): nothing happened
    Done,        // the update ran and curStep advanced
    RateFailed,  // a rate failed to convert; the run was stopped, curStep advanced
};

// One whole step. A rate that throws EConvertError calls stopRun and then
// rateFailed, and the step still ends normally. Any other error, or one from
// stopRun itself, leaves the step at once. After the step that brings curStep
// to Nsteps, stopRun is called.
StepOutcome stepSimulation(SimState& state, ValueSource& rates, RunHooks& hooks);

// The same step over rates latched for a stretch of steps (the instant run's).
StepOutcome stepSimulation(SimState& state, LatchedRates& rates, RunHooks& hooks);

// Up to count of those steps in a row, stopping when curStep reaches Nsteps
// or a rate fails (RateFailed); the loop of the instant run, with the step
// inlined.
StepOutcome stepRepeatedly(SimState& state, LatchedRates& rates, RunHooks& hooks, int count);

// The same step for a run kept without traces: writes no trace entry, does
// not call afterUpdate, and needs only the trains to hold curStep.
StepOutcome stepWithoutTraces(SimState& state, LatchedRates& rates, RunHooks& hooks);

}  // namespace mirvok
