#include "cli/command_batch.hpp"

#include "batch/worker_kit.hpp"
#include "cli/progress_bar.hpp"
#include "model/machine_memory.hpp"

namespace mirvok::cli {

RunnerPlan planCommandBatch(int count, int threads, const RunSize& run) {
    const RunnerPlan plan = planRun(count, workersFor(threads, count), recordBytes(run));
    if (const std::optional<std::uint64_t> available = availableMemoryBytes())
        checkBatchMemory(plan, run, *available);
    return plan;
}

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
