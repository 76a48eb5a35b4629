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

}  // namespace

ParallelOutcome runCommandBatch(const CommandBatch& b, const IterationWork& work) {
    ProgressBar progress(b.plan.count, progressWanted(b.file.quiet));
    ParallelBatch batch;
    batch.target = ResultTarget{b.file.output, modeOf(b)};
    batch.header = b.header;
    batch.plan = b.plan;
    batch.progress = [&progress](int done) { progress.update(done); };
    const InterruptCatcher interrupts;
    batch.stop = [] { return InterruptCatcher::caught() != 0; };
    const ParallelOutcome outcome = runParallelBatch(batch, work);
    progress.finish();
    if (outcome.records < b.plan.count && InterruptCatcher::caught() != 0)
        throw Interrupted(InterruptCatcher::caught(),
                          "interrupted after " + IntToStr(b.done + outcome.records) + " of " +
                              IntToStr(b.total) + " runs" + b.resumeHint);
    return outcome;
}

}  // namespace mirvok::cli
