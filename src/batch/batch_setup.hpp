#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis_params.hpp"
#include "batch/batch_iteration.hpp"
#include "batch/batch_memory.hpp"
#include "batch/worker_kit.hpp"
#include "model/rates.hpp"
#include "model/reset.hpp"
#include "model/sim_state.hpp"
#include "text/json_fwd.hpp"

namespace mirvok {

// Everything a generated batch reads, converted and checked before it starts:
// the model, analysis and generator values and the state every run starts
// from (its run length and segment lists).
struct BatchSetup {
    FixedResetValues reset;
    FixedRates rates;
    FixedAnalysisParams analysis;
    GeneratorSettings generator;
    SimState stateTemplate;
    double headerShape = 0.0;  // 1/cv^2 as the shape box shows it, for the header
};

// The values of the value table as one JSON object under their option
// names, the segments (when defined) as a list of {"end", "isi", "shape"}
// under "segments", and quantify and c01 when set; names listed in leaveOut
// are left out.
Json batchValuesJson(const BatchSetup& setup, const std::vector<std::string>& leaveOut = {});

// The size of every run of the batch, for planBatch.
RunSize runSizeOf(const BatchSetup& setup);

// Puts the setup's values and segment lists into a worker's kit.
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
