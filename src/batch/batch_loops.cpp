#include "batch/batch_loops.hpp"

#include <functional>

#include "base/errors.hpp"

namespace mirvok {
namespace {

using BatchRuns = std::function<void(ResultFile&, BatchReport&)>;

// Clears batchRunning however the batch ends.
class BatchRunningFlag {
  public:
    explicit BatchRunningFlag(SimState& state) : state_(state) { state_.batchRunning = true; }
    ~BatchRunningFlag() { state_.batchRunning = false; }
    BatchRunningFlag(const BatchRunningFlag&) = delete;
    BatchRunningFlag& operator=(const BatchRunningFlag&) = delete;

  private:
    SimState& state_;
};

// The header reads the count, then the shape, then the isi.
void writeHeader(ResultFile& file, BatchHooks& hooks) {
    const int ntests = hooks.iterations();
    const double shape = hooks.headerShape();
    const double isi = hooks.headerIsi();
    file.write(formatResultHeader(isi, shape, ntests));
}

// Opens, writes the header, makes the runs and closes; an open failure is
// reported through the hooks and ends the batch normally.
void writeResultFile(BatchHooks& hooks, const ResultTarget& target, const BatchRuns& runs,
                     BatchReport& report) {
    report.fileName = target.name;
    std::optional<ResultFile> file;
    try {
        file.emplace(target.name, target.mode);
    } catch (const FileError& error) {
        report.end = BatchEnd::OpenFailed;
        hooks.openFailed(error.what());
        return;
    }
    writeHeader(*file, hooks);
    runs(*file, report);
    file->close();
}

// The frame both batches share: from batchRunning set to the summary.
BatchReport runBatchFrame(SimState& state, BatchHooks& hooks, const BatchRuns& runs) {
    BatchRunningFlag running(state);
    BatchReport report;
    try {
        hooks.batchStarted();
        const std::optional<ResultTarget> target = hooks.chooseResultFile();
        if (target) {
            writeResultFile(hooks, *target, runs, report);
        } else {
            report.end = BatchEnd::Cancelled;
        }
    } catch (...) {
        // The result file was closed as the error left writeResultFile.
        state.batchRunning = false;
        hooks.cleanup();
        throw;
    }
    hooks.cleanup();
    hooks.batchFinished(report);
    return report;
}

bool stopAfterRecord(BatchHooks& hooks, BatchReport& report) {
    if (!hooks.stopRequested()) return false;
    report.end = BatchEnd::Stopped;
    return true;
}

}  // namespace

BatchReport runGeneratedBatch(SimState& state, std::uint64_t seed, BatchHooks& hooks) {
    return runBatchFrame(state, hooks, [&](ResultFile& file, BatchReport& report) {
        // The count is read again before every iteration: an edit during the
        // batch lengthens or shortens it.
        for (int i = 0; i < hooks.iterations(); ++i) {
            hooks.beforeIteration(i);
            Pcg31 source = iterationSource(seed, static_cast<std::uint64_t>(i));
            const IterationOutcome outcome =
                runReadIteration(state, hooks.generatedReads(i), source, i);
            report.sums.add(outcome.analysisResult, outcome.localScoreMean);
            file.write(outcome.record);
            hooks.recorded(state);
            if (stopAfterRecord(hooks, report)) break;
        }
    });
}

BatchReport runReplayBatch(SimState& state, const ReplaySource& source,
                           const std::string& sourcePath, BatchHooks& hooks) {
    return runBatchFrame(state, hooks, [&](ResultFile& file, BatchReport& report) {
        report.damagedRecords = source.damagedRecords;
        int index = 0;
        for (const std::vector<int>& steps : source.lists) {
            hooks.beforeIteration(index);
            const TrainLoad load = loadInputTrain(state, steps);
            report.skippedSteps += load.skipped;
            hooks.trainLoaded(load, sourcePath);
            hooks.runTrain(state);
            report.sums.add(state.analysisResult, state.localScoreMean);
            file.write(formatResultRecord(index, state));
            hooks.recorded(state);
            if (stopAfterRecord(hooks, report)) break;
            ++index;
        }
    });
}

std::optional<BatchReport> replayResultFile(SimState& state, const std::string& sourcePath,
                                            BatchHooks& hooks) {
    const std::optional<ReplaySource> source = readReplaySource(sourcePath);
    if (!source) return std::nullopt;
    return runReplayBatch(state, *source, sourcePath, hooks);
}

}  // namespace mirvok
