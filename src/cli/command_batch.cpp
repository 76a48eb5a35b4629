#include "cli/command_batch.hpp"

#include "cli/progress_bar.hpp"

namespace mirvok::cli {

ParallelOutcome runCommandBatch(const CommandBatch& b, const IterationWork& work) {
    ProgressBar progress(b.plan.count, progressWanted(b.quiet));
    ParallelBatch batch;
    batch.target =
        ResultTarget{b.output, b.append ? ResultFileMode::Append : ResultFileMode::Truncate};
    batch.header = b.header;
    batch.plan = b.plan;
    batch.progress = [&progress](int done) { progress.update(done); };
    const ParallelOutcome outcome = runParallelBatch(batch, work);
    progress.finish();
    return outcome;
}

}  // namespace mirvok::cli
