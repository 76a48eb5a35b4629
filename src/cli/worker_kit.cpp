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
    return std::max(1, std::min(threads, count));
}

}  // namespace mirvok::cli
