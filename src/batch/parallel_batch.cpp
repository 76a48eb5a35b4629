#include "batch/parallel_batch.hpp"

#include "batch/result_file.hpp"

namespace mirvok {

ParallelOutcome runParallelBatch(const ParallelBatch& batch, const IterationWork& work) {
    ResultFile file(batch.target.name, batch.target.mode);
    file.write(batch.header);
    ParallelOutcome outcome;
    runOrdered(batch.count, batch.threads, work, [&](int index, IterationOutcome& iteration) {
        file.write(iteration.record);
        outcome.sums.add(iteration.analysisResult, iteration.localScoreMean);
        outcome.skippedSteps += iteration.skippedSteps;
        if (batch.progress) batch.progress(index + 1);
    });
    file.close();
    return outcome;
}

}  // namespace mirvok
