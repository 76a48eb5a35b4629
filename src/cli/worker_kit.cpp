#include "cli/worker_kit.hpp"

#include <algorithm>

namespace mirvok::cli {

std::vector<WorkerKit> makeWorkerKits(int workers, const ModelValues& model,
                                      const FixedAnalysisParams& analysis,
                                      const SimState& stateTemplate) {
    std::vector<WorkerKit> kits(static_cast<std::size_t>(workers));
    for (WorkerKit& kit : kits) {
        kit.state = stateTemplate;
        kit.reset = model.reset;
        kit.rates = model.rates;
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

}  // namespace mirvok::cli
