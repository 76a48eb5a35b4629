#pragma once

#include <string>

#include "batch/parallel_batch.hpp"
#include "cli/option_texts.hpp"

namespace mirvok::cli {

// What `batch` and `replay` share: the result file of --output, replaced,
// appended to (--append) or continued, the progress line on standard error
// unless --quiet, and a stop at SIGINT or SIGTERM.
struct CommandBatch {
    BatchFileTexts file;
    bool continuing = false;  // go on after the records already in the file
    std::string header;       // empty when continuing
    RunnerPlan plan;
    int done = 0;            // runs already in the file
    int total = 0;           // runs of the whole batch
    std::string resumeHint;  // added to the message of an interrupted batch
};

// Runs the batch. A SIGINT or SIGTERM meanwhile stops it after the records
// being written and throws Interrupted "interrupted after <runs> of <total>
// runs" and the resume hint, every line of the file whole.
ParallelOutcome runCommandBatch(const CommandBatch& batch, const IterationWork& work);

}  // namespace mirvok::cli
