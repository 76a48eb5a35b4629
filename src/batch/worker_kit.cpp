#include "batch/worker_kit.hpp"

#include <algorithm>

namespace mirvok {

std::vector<WorkerKit> makeWorkerKits(int workers, const FixedResetValues& reset,
                                      const FixedRates& rates, const FixedAnalysisParams& analysis,
                                      const SimState& stateTemplate) {
    std::vector<WorkerKit> kits(static_cast<std::size_t>(workers));
    for (WorkerKit& kit : kits) {
        kit.state = stateTemplate;
        kit.reset = reset;
        kit.rates = rates;
        kit.analysis = analysis;
    }
    return kits;
}

int workersFor(int threads, int count) {
    // Beyond a few hundred threads no machine runs faster, while each one
    // costs a stack and a state with its traces: --threads 100000 would
    // exhaust the memory or the thread limit before the first run.
    constexpr int kMostWorkers = 256;
    return std::max(1, std::min({threads, count, kMostWorkers}));
}

}  // namespace mirvok
