#include "batch/parallel_batch.hpp"

#include "records/result_file.hpp"

namespace mirvok {

ParallelOutcome runParallelBatch(const ParallelBatch& batch, const IterationWork& work) {
    ResultFile file(batch.target.name, batch.target.mode);
    if (file.lockRefused() && batch.unlocked) batch.unlocked();
    if (!batch.header.empty()) file.write(batch.header);
    ParallelOutcome outcome;
    std::string records;
    const auto sink = [&](int first, std::span<IterationOutcome> block) {
        std::size_t bytes = 0;
        for (const IterationOutcome& iteration : block) {
            bytes += iteration.record.size();
            outcome.sums.add(iteration.analysisResult, iteration.localScoreMean);
            outcome.skippedSteps += iteration.skippedSteps;
        }
        // Short records go out in one write; a long run's record, alone in
        // its block, is written as it is rather than copied.
        if (block.size() == 1) {
            file.write(block.front().record);
        } else {
            records.clear();
            records.reserve(bytes);
            for (const IterationOutcome& iteration : block) records += iteration.record;
            file.write(records);
        }
        if (batch.progress) batch.progress(first + static_cast<int>(block.size()));
    };
    outcome.records = runOrdered(batch.plan, work, sink, batch.stop);
    file.close();
    return outcome;
}

}  // namespace mirvok
