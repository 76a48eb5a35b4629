#pragma once

#include <ostream>
#include <string>

#include "batch/parallel_batch.hpp"
#include "cli/option_texts.hpp"
#include "records/provenance.hpp"

namespace mirvok::cli {

// What `batch` and `replay` share: the result file of --output, replaced,
// appended to (--append) or continued, the progress line on standard error
// unless --quiet, a stop at SIGINT or SIGTERM, and OUTPUT.json saying how
// the file was made.
struct FileBatch {
    BatchFileTexts file;
    // Where the records and OUTPUT.json go instead of --output, when not
    // empty: a file beside it that takes its place later.
    std::string writeTo;
    bool continuing = false;  // go on after the records already in the file
    std::string header;       // empty when continuing
    RunnerPlan plan;
    int done = 0;            // runs already in the file
    int total = 0;           // runs of the whole batch
    std::string resumeHint;  // added to the message of an interrupted batch
    Provenance provenance;   // the runs made and the times are filled in here
};

// The program that provenance entries of this tool name.
inline constexpr const char* kToolName = "mirvok-cli";

// What mirvok-cli's `command` records about a file it made with these values
// (batchValuesJson).
Provenance toolProvenance(std::string command, Json values);

// Runs the batch in a writer session: its provenance entry beside the
// result file (a new one when appending or continuing) says it is running
// before the first record and how it ended. The file it replaces is kept as
// FILE.prev until the batch is complete; an error puts it back, the records
// made beside it (RecordsKeptAside says where). A SIGINT or SIGTERM
// meanwhile stops it after the records being written and throws Interrupted
// "interrupted after <runs> of <total> runs", the resume hint and where the
// file replaced is kept, every line of the file whole.
ParallelOutcome runFileBatch(const FileBatch& batch, const IterationWork& work);

// The averages of the runs, "avg: " and "avl: " lines with the full stop.
void printAverages(std::ostream& out, const BatchSums& sums);

}  // namespace mirvok::cli
