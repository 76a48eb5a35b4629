#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "batch/batch_summary.hpp"
#include "batch/ordered_runner.hpp"
#include "records/result_file.hpp"
#include "records/result_session.hpp"

namespace mirvok {

// Told the number of records written so far, as the batch goes on (a
// progress line); called on the thread that runs the batch.
using BatchProgress = std::function<void(int done)>;

// A batch without a window: a header line and then the records of the
// plan's iterations computed on its workers, written in index order.
struct ParallelBatch {
    ResultTarget target;
    Previous previous = Previous::Dropped;  // what becomes of the file it replaces
    std::optional<Provenance> entry;        // FILE.json's entry as it starts; none: no FILE.json
    std::string header;                     // empty: none (a batch continued in its file)
    RunnerPlan plan;
    BatchProgress progress;  // may be empty
    StopRequest stop;        // may be empty; true ends the batch early
    // May be empty; called once, before anything is written, when the file
    // system would not lock the result file (it is then written unlocked).
    std::function<void()> unlocked;
};

struct ParallelOutcome {
    BatchSums sums;                // added in index order: the same for any thread count
    std::size_t skippedSteps = 0;  // replay: steps outside the run over all lines
    int records = 0;               // records written: the plan's count unless stopped
    bool stopped = false;          // stop ended it early; FILE.json says it was interrupted
    std::string previous;          // stopped: FILE.prev, keeping the file it replaces ("": none)
};

// Opens the result file in a writer session (truncating, appending or
// continuing; a file another process writes throws FileBusy before anything
// changes; FILE.json names the batch running before its first record),
// writes the header and every record, each block of records with one
// write, closes it and completes the entry. When stop asks to end, the records written so far stay,
// every line whole, and the file is closed: outcome.records tells how far it got. A file that
// cannot be opened, written or closed throws FileError before or at the record concerned, leaving
// whole lines only; an iteration that throws ends the batch there with the records before it
// written and the file closed. Either error ends the entry as failed, and where the file replaced
// was kept (Previous::Kept) it is put back and the error is thrown as RecordsKeptAside.
ParallelOutcome runParallelBatch(const ParallelBatch& batch, const IterationWork& work);

}  // namespace mirvok
