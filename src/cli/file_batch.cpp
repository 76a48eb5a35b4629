#include "cli/file_batch.hpp"

#include <iostream>

#include "batch/batch_summary.hpp"
#include "cli/interrupt.hpp"
#include "cli/progress_bar.hpp"
#include "records/provenance_recorder.hpp"

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
    batch.header = b.header;
    batch.plan = b.plan;
    int written = 0;
    batch.progress = [&](int done) {
        written = done;
        progress.update(done);
    };
    batch.unlocked = [&b] {
        std::cerr << "mirvok-cli: " << b.file.output
                  << " is written without a lock: its file system keeps none\n";
    };
    const InterruptCatcher interrupts;
    batch.stop = [] { return InterruptCatcher::caught() != 0; };
    ProvenanceRecorder provenance(b.provenance);
    if (b.continuing) provenance.entry().more["continued_from"] = b.done;
    const ProvenanceMode mode =
        b.file.append || b.continuing ? ProvenanceMode::Append : ProvenanceMode::Replace;
    ParallelOutcome outcome;
    try {
        outcome = runParallelBatch(batch, work);
    } catch (...) {
        provenance.recordQuietly(target, written, mode);
        throw;
    }
    progress.finish();
    if (outcome.records < b.plan.count && InterruptCatcher::caught() != 0) {
        provenance.recordQuietly(target, outcome.records, mode);
        throw Interrupted(
            InterruptCatcher::caught(),
            interruptedAfter(b.done + outcome.records, b.total, "runs") + b.resumeHint);
    }
    provenance.record(target, outcome.records, mode);
    return outcome;
}

void printAverages(std::ostream& out, const BatchSums& sums) {
    out << averageText(sums, '.') << '\n' << localAverageText(sums, '.') << '\n';
}

}  // namespace mirvok::cli
