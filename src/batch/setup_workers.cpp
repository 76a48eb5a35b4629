#include "batch/setup_workers.hpp"

namespace mirvok {

SetupWorkers::SetupWorkers(const BatchSetup& setup, int workers)
    : setup_(setup), kits_(static_cast<std::size_t>(workers)) {
    for (WorkerKit& kit : kits_) loadSetup(kit, setup_);
}

IterationWork SetupWorkers::generated(std::uint64_t seed, RecordText record) {
    return [this, seed, record](int worker, int index) {
        return runSetupIteration(kits_[static_cast<std::size_t>(worker)], setup_, seed, index,
                                 record);
    };
}

IterationWork SetupWorkers::replayed(const std::vector<std::vector<int>>& trains,
                                     RecordText record) {
    return [this, &trains, record](int worker, int index) {
        WorkerKit& kit = kits_[static_cast<std::size_t>(worker)];
        return runReplayIteration(kit.state, trains[static_cast<std::size_t>(index)], kit.values(),
                                  index, record);
    };
}

}  // namespace mirvok
