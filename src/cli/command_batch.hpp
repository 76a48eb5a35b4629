#pragma once

#include <string>

#include "batch/batch_memory.hpp"
#include "batch/parallel_batch.hpp"

namespace mirvok::cli {

// The plan of a command's batch of count runs on --threads workers, checked
// against the memory available now: refused (InputError) before anything is
// allocated or written when it would not fit.
RunnerPlan planCommandBatch(int count, int threads, const RunSize& run);

// What `batch` and `replay` share: the result file of --output, replaced or
// appended to (--append), and the progress line on standard error unless
// --quiet.
struct CommandBatch {
    std::string output;
    bool append = false;
    bool quiet = false;
    std::string header;
    RunnerPlan plan;
};

ParallelOutcome runCommandBatch(const CommandBatch& batch, const IterationWork& work);

}  // namespace mirvok::cli
