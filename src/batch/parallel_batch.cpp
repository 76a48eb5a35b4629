#include "batch/parallel_batch.hpp"

#include "batch/batch_session.hpp"

namespace mirvok {

ParallelOutcome runParallelBatch(const ParallelBatch& batch, const IterationWork& work) {
    BatchSession session({batch.target, batch.previous, batch.entry}, batch.header);
    if (session.file().lockRefused() && batch.unlocked) batch.unlocked();
    ParallelOutcome outcome;
    runSession(session, [&] {
        const auto sink = [&](int first, std::span<IterationOutcome> block) {
            session.record(block);
            if (batch.progress) batch.progress(first + static_cast<int>(block.size()));
        };
        outcome.records = runOrdered(batch.plan, work, sink, batch.stop);
        outcome.stopped = outcome.records < batch.plan.count;
        return outcome.stopped ? EntryState::Interrupted : EntryState::Complete;
    });
    outcome.sums = session.sums();
    outcome.skippedSteps = session.skippedSteps();
    if (outcome.stopped) outcome.previous = session.file().previousName();
    return outcome;
}

}  // namespace mirvok
