#include "cli/file_batch.hpp"

#include <filesystem>
#include <iostream>

#include "batch/batch_summary.hpp"
#include "cli/interrupt.hpp"
#include "cli/progress_bar.hpp"
#include "system/file_replace.hpp"
#include "system/stale_temporaries.hpp"

namespace mirvok::cli {
namespace {

ResultFileMode modeOf(const FileBatch& b) {
    if (b.continuing) return ResultFileMode::Continue;
    return b.file.append ? ResultFileMode::Append : ResultFileMode::Truncate;
}

}  // namespace

Provenance toolProvenance(std::string command, Json values) {
    return provenanceOf(kToolName, std::move(command), std::move(values));
}

ParallelOutcome runFileBatch(const FileBatch& b, const IterationWork& work) {
    ProgressBar progress(b.plan.count, progressWanted(b.file.quiet));
    ParallelBatch batch;
    const std::string& target = b.writeTo.empty() ? b.file.output : b.writeTo;
    batch.target = ResultTarget{target, modeOf(b)};
    // An error never leaves less than before: the file replaced is kept
    // until the batch is complete. A file beside the output is new anyway.
    batch.previous = b.writeTo.empty() ? Previous::Kept : Previous::Dropped;
    batch.entry = b.provenance;
    if (b.continuing) batch.entry->more["continued_from"] = b.done;
    batch.header = b.header;
    batch.plan = b.plan;
    batch.progress = [&](int done) { progress.update(done); };
    batch.unlocked = [&b] {
        std::cerr << "mirvok-cli: " << b.file.output
                  << " is written without a lock: its file system keeps none\n";
    };
    // What a killed batch left beside the file (a half-written FILE.json, a
    // replay's records beside its source) goes before this one writes there.
    const std::filesystem::path folder = std::filesystem::path(linkTarget(target)).parent_path();
    removeStaleTemporaries(folder.empty() ? "." : folder.string());
    const InterruptCatcher interrupts;
    batch.stop = [] { return InterruptCatcher::caught() != 0; };
    const ParallelOutcome outcome = runParallelBatch(batch, work);
    progress.finish();
    if (outcome.stopped && InterruptCatcher::caught() != 0) {
        std::string message =
            interruptedAfter(b.done + outcome.records, b.total, "runs") + b.resumeHint;
        if (!outcome.previous.empty())
            message += "; " + outcome.previous + " keeps the file it replaces";
        throw Interrupted(InterruptCatcher::caught(), message);
    }
    return outcome;
}

void printAverages(std::ostream& out, const BatchSums& sums) {
    out << averageText(sums, '.') << '\n' << localAverageText(sums, '.') << '\n';
}

}  // namespace mirvok::cli
