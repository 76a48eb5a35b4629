#pragma once

#include <vector>

#include "analysis/analysis_params.hpp"
#include "batch/batch_iteration.hpp"
#include "model/rates.hpp"
#include "model/reset.hpp"
#include "model/sim_state.hpp"
#include "values/value_texts.hpp"

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

// The workers a batch of count iterations needs: never more than its runs,
// nor than kMostThreads.
int workersFor(int threads, int count);

}  // namespace mirvok
