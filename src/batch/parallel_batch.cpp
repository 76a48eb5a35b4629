#include "batch/parallel_batch.hpp"

#include "batch/results/result_file.hpp"

namespace mirvok {

ParallelOutcome runParallelBatch(const ParallelBatch& batch, const IterationWork& work) {
    ResultFile file(batch.target.name, batch.target.mode);
    if (file.lockRefused() && batch.unlocked) batch.unlocked();
    if (!batch.header.empty()) file.write(batch.header);
    ParallelOutcome outcome;
    std::string records;
    const auto sink = [&](int first, std::span<IterationOutcome> block) {
        records.clear();
        for (const IterationOutcome& iteration : block) {
            records += iteration.record;
            outcome.sums.add(iteration.analysisResult, iteration.localScoreMean);
            outcome.skippedSteps += iteration.skippedSteps;
        }
        file.write(records);
        if (batch.progress) batch.progress(first + static_cast<int>(block.size()));
    };
    outcome.records = runOrdered(batch.plan, work, sink, batch.stop);
    file.close();
    return outcome;
}

}  // namespace mirvok
