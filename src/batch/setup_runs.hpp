#pragma once

#include <cstdint>
#include <vector>

#include "batch/batch_iteration.hpp"
#include "batch/batch_memory.hpp"
#include "batch/worker_kit.hpp"
#include "values/batch_setup.hpp"

namespace mirvok {

// The size of every run of the batch, for planBatch.
RunSize runSizeOf(const BatchSetup& setup);

// Points a worker's kit at the setup's values (the setup must outlive its
// runs; its segments reach the generator through the setup's generator
// settings).
void loadSetup(WorkerKit& kit, const BatchSetup& setup);

// Iteration `index` of the batch seeded `seed`, on the kit (loadSetup first):
// the same outcome on any thread, as `mirvok-cli batch` computes it.
IterationOutcome runSetupIteration(WorkerKit& kit, const BatchSetup& setup, std::uint64_t seed,
                                   int index, RecordText record = RecordText::Formatted);

// The train iteration 0 of the batch seeded `seed` runs: what
// `mirvok-cli generate` writes. A train that would take more than
// availableBytes (0: no bound) is refused with InputError before the kernel
// would end the program (trains/train_memory.hpp).
std::vector<int> generatedTrain(const BatchSetup& setup, std::uint64_t seed,
                                std::uint64_t availableBytes = 0);

}  // namespace mirvok
