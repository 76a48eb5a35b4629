#pragma once

#include <string>

#include "batch/parallel_batch.hpp"

namespace mirvok::cli {

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
