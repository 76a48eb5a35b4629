#pragma once

#include <cstdint>
#include <vector>

#include "batch/ordered_runner.hpp"
#include "batch/setup_runs.hpp"
#include "batch/worker_kit.hpp"

namespace mirvok {

// The workers of a batch of one setup: a kit each, loaded with the setup,
// and the work of an iteration on them. The work refers to this object and
// to the setup, which must outlive it.
class SetupWorkers {
  public:
    SetupWorkers(const BatchSetup& setup, int workers);
    SetupWorkers(const SetupWorkers&) = delete;
    SetupWorkers& operator=(const SetupWorkers&) = delete;

    // Iteration index draws its train as the batch seeded `seed` draws it
    // (runSetupIteration).
    IterationWork generated(std::uint64_t seed, RecordText record = RecordText::Formatted);
    // Iteration index runs trains[index] (runReplayIteration).
    IterationWork replayed(const std::vector<std::vector<int>>& trains,
                           RecordText record = RecordText::Formatted);

  private:
    const BatchSetup& setup_;
    std::vector<WorkerKit> kits_;
};

}  // namespace mirvok
