#include "cli/command_batch.hpp"

#include "cli/progress_bar.hpp"

namespace mirvok::cli {

ParallelOutcome runCommandBatch(const CommandBatch& b, const IterationWork& work) {
    ProgressBar progress(b.count, progressWanted(b.quiet));
    ParallelBatch batch;
    batch.target =
        ResultTarget{b.output, b.append ? ResultFileMode::Append : ResultFileMode::Truncate};
    batch.header = b.header;
    batch.count = b.count;
    batch.threads = b.workers;
    batch.progress = [&progress](int done) { progress.update(done); };
    const ParallelOutcome outcome = runParallelBatch(batch, work);
    progress.finish();
    return outcome;
}

}  // namespace mirvok::cli
