#pragma once

#include <vector>

#include "batch/batch_iteration.hpp"
#include "model/sim_state.hpp"
#include "values/batch_setup.hpp"
#include "values/value_texts.hpp"

namespace mirvok {

// What one worker thread of a batch owns: its state, and its reads of the
// setup its runs take their values from, so that no two threads share
// anything they write.
struct WorkerKit {
    SimState state;
    SetupValues setup{kDefaultSetup};  // loadSetup points it at the batch's

    RunValues values() { return RunValues{setup}; }

  private:
    static const BatchSetup kDefaultSetup;
};

// The workers a batch of count iterations needs: never more than its runs,
// nor than kMostThreads.
int workersFor(int threads, int count);

}  // namespace mirvok
