#pragma once

#include "model/reset.hpp"
#include "model/step.hpp"

namespace mirvok {

// Fits the trains to a run of Nsteps: inTrain and inSpikeSteps are built
// anew from the loaded train when they were built for another run length
// (input_train.hpp), so steps beyond a shorter run are left out of it, not
// lost; outTrain is cut or padded with clear flags.
void fitTrains(SimState& state);

enum class RunEnd {
    Completed,   // every step ran (or Nsteps is 0)
    RateFailed,  // a rate failed to convert; the loop ran no further step
};

// The instant run: reset from the values, fit the trains, then step until
// curStep reaches Nsteps. The last step calls hooks.stopRun(). Errors of the
// reset or of stopRun leave the run at once. One loop for the window, the
// batches and the command line.
RunEnd runInstant(SimState& state, ValueSource& values, RunHooks& hooks);

// The instant run for runs made only for their spike lists and analysis
// (the command line, the batches): the same output spikes, flags, final
// volumes, hook calls and errors as runInstant, but no traces (they are left
// empty) and no afterUpdate; the steps between two event checks run in a
// tight loop over rates read once.
RunEnd runWithoutTraces(SimState& state, ValueSource& values, RunHooks& hooks);

}  // namespace mirvok
