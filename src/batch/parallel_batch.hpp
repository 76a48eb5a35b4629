#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "batch/batch_loops.hpp"
#include "batch/ordered_runner.hpp"

namespace mirvok {

// Told the number of records written so far, as the batch goes on (a
// progress line); called on the thread that runs the batch.
using BatchProgress = std::function<void(int done)>;

// A batch without a window: a header line and then the records of the
// plan's iterations computed on its workers, written in index order.
struct ParallelBatch {
    ResultTarget target;
    std::string header;
    RunnerPlan plan;
    BatchProgress progress;  // may be empty
};

struct ParallelOutcome {
    BatchSums sums;                // added in index order: the same for any thread count
    std::size_t skippedSteps = 0;  // replay: steps outside the run over all lines
};

// Opens the result file (truncating or appending), writes the header and
// every record, each block of records with one write, and closes it. A file
// that cannot be opened, written or closed throws FileError before or at the
// record concerned, leaving whole lines only; an iteration that throws ends
// the batch there with the records before it written and the file closed.
ParallelOutcome runParallelBatch(const ParallelBatch& batch, const IterationWork& work);

}  // namespace mirvok
