#pragma once

#include <vector>

#include "analysis/analysis_params.hpp"
#include "batch/batch_iteration.hpp"
#include "model/rates.hpp"
#include "model/reset.hpp"
#include "model/sim_state.hpp"

namespace mirvok {

// What one worker thread of a batch owns: its state and its copies of the
// values a run reads, so that no two threads share anything they write.
struct WorkerKit {
    SimState state;
    FixedResetValues reset;
    FixedRates rates;
    FixedAnalysisParams analysis;

    RunValues values() { return RunValues{reset, rates, analysis}; }
};

// Beyond a few hundred threads no machine runs faster, while each one costs
// a stack and a state with its traces: 100000 threads would exhaust the
// memory or the thread limit before the first run.
inline constexpr int kMostThreads = 256;

// The workers a batch of count iterations needs: never more than its runs,
// nor than kMostThreads.
int workersFor(int threads, int count);

}  // namespace mirvok
