#include "cli/command_batch.hpp"

#include "cli/interrupt.hpp"
#include "cli/progress_bar.hpp"
#include "text/number_format.hpp"

namespace mirvok::cli {
namespace {

ResultFileMode modeOf(const CommandBatch& b) {
    if (b.continuing) return ResultFileMode::Continue;
    return b.file.append ? ResultFileMode::Append : ResultFileMode::Truncate;
}

// Provenance of a batch that did not end as asked, whose own error or
// interruption is what to report.
void recordQuietly(const std::string& output, Provenance provenance, int runs,
                   ProvenanceMode mode) noexcept {
    provenance.runs = runs;
    provenance.ended = std::chrono::system_clock::now();
    try {
        if (runs > 0) recordProvenance(output, provenance, mode);
    } catch (...) {
    }
}

}  // namespace

Provenance toolProvenance(std::string command, Json values) {
    return provenanceOf(kToolName, std::move(command), std::move(values));
}

ParallelOutcome runCommandBatch(const CommandBatch& b, const IterationWork& work) {
    ProgressBar progress(b.plan.count, progressWanted(b.file.quiet));
    ParallelBatch batch;
    batch.target = ResultTarget{b.file.output, modeOf(b)};
    batch.header = b.header;
    batch.plan = b.plan;
    int written = 0;
    batch.progress = [&](int done) {
        written = done;
        progress.update(done);
    };
    const InterruptCatcher interrupts;
    batch.stop = [] { return InterruptCatcher::caught() != 0; };
    Provenance provenance = b.provenance;
    provenance.started = std::chrono::system_clock::now();
    if (b.continuing) provenance.more["continued_from"] = b.done;
    const ProvenanceMode mode =
        b.file.append || b.continuing ? ProvenanceMode::Append : ProvenanceMode::Replace;
    ParallelOutcome outcome;
    try {
        outcome = runParallelBatch(batch, work);
    } catch (...) {
        recordQuietly(b.file.output, provenance, written, mode);
        throw;
    }
    progress.finish();
    if (outcome.records < b.plan.count && InterruptCatcher::caught() != 0) {
        recordQuietly(b.file.output, provenance, outcome.records, mode);
        throw Interrupted(InterruptCatcher::caught(),
                          "interrupted after " + IntToStr(b.done + outcome.records) + " of " +
                              IntToStr(b.total) + " runs" + b.resumeHint);
    }
    provenance.runs = outcome.records;
    provenance.ended = std::chrono::system_clock::now();
    recordProvenance(b.file.output, provenance, mode);
    return outcome;
}

}  // namespace mirvok::cli
