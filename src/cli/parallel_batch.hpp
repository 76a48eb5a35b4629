#pragma once

#include <cstddef>
#include <string>

#include "batch/batch_loops.hpp"
#include "cli/ordered_runner.hpp"

namespace mirvok::cli {

// A batch as the tool runs it: a header line and then the records of count
// iterations computed on several threads, written in index order.
struct ParallelBatch {
    ResultTarget target;
    std::string header;
    int count = 0;
    int threads = 1;
    bool progress = false;  // draw the progress line on standard error
};

// The batch of a command: into output (appended to or replaced), with the
// progress line unless quiet.
ParallelBatch parallelBatch(const std::string& output, bool append, std::string header, int count,
                            int threads, bool quiet);

struct ParallelOutcome {
    BatchSums sums;                // added in index order: the same for any thread count
    std::size_t skippedSteps = 0;  // replay: steps outside the run over all lines
};

// Opens the result file (truncating or appending), writes the header and
// every record, closes it. A file that cannot be opened, written or closed
// throws FileError before or at the record concerned; an iteration that
// throws ends the batch there with the earlier records written and the file
// closed.
ParallelOutcome runParallelBatch(const ParallelBatch& batch, const IterationWork& work);

}  // namespace mirvok::cli
