#include "cli/parallel_batch.hpp"

#include <utility>

#include "batch/result_file.hpp"
#include "cli/progress_bar.hpp"

namespace mirvok::cli {

ParallelBatch parallelBatch(const std::string& output, bool append, std::string header, int count,
                            int threads, bool quiet) {
    ParallelBatch batch;
    batch.target = ResultTarget{output, append ? ResultFileMode::Append : ResultFileMode::Truncate};
    batch.header = std::move(header);
    batch.count = count;
    batch.threads = threads;
    batch.progress = progressWanted(quiet);
    return batch;
}

ParallelOutcome runParallelBatch(const ParallelBatch& batch, const IterationWork& work) {
    ResultFile file(batch.target.name, batch.target.mode);
    file.write(batch.header);
    ParallelOutcome outcome;
    ProgressBar progress(batch.count, batch.progress);
    runOrdered(batch.count, batch.threads, work, [&](int index, IterationOutcome& iteration) {
        file.write(iteration.record);
        outcome.sums.add(iteration.analysisResult, iteration.localScoreMean);
        outcome.skippedSteps += iteration.skippedSteps;
        progress.update(index + 1);
    });
    progress.finish();
    file.close();
    return outcome;
}

}  // namespace mirvok::cli
