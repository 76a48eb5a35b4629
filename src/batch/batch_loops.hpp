#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_iteration.hpp"
#include "batch/batch_summary.hpp"
#include "batch/results/result_file.hpp"
#include "batch/results/result_file_reader.hpp"
#include "model/sim_state.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok {

// Where a batch writes: the file name and how it is opened ("del").
struct ResultTarget {
    std::string name = "output.csv";
    ResultFileMode mode = ResultFileMode::Truncate;
};

enum class BatchEnd {
    Completed,   // the result file was written and closed
    Cancelled,   // chooseResultFile gave no file: no file touched, no run
    OpenFailed,  // the result file could not be opened: no run
    Stopped,     // stopRequested ended it: the file holds the records of the runs made
};

// What a batch did, given to batchFinished and returned to the caller.
struct BatchReport {
    BatchEnd end = BatchEnd::Completed;
    std::string fileName;            // the result file (panel 1: "output: " + name)
    BatchSums sums;                  // sums and runs made (summaryTexts)
    std::size_t skippedSteps = 0;    // replay: steps outside the run over all lines
    std::size_t damagedRecords = 0;  // replay: damaged lines of the source passed over
};

// Everything a batch needs from whoever drives it. The window maps these
// onto its boxes, status bar and buttons; the command line onto its options.
// Calls, in order, for a batch that runs to its end:
//   batchStarted, chooseResultFile, [open], iterations, headerShape,
//   headerIsi, [header], then per run beforeIteration, generatedReads
//   (generated) or trainLoaded and runTrain (replay), [record], recorded,
//   stopRequested; [close],
//   cleanup, batchFinished. batchRunning is set before batchStarted and cleared after
//   batchFinished.
class BatchHooks {
  public:
    virtual ~BatchHooks() = default;

    // The batch has begun (window: disable All).
    virtual void batchStarted() {}
    // The result file to write, or nullopt when the user cancelled the file
    // dialog: the batch then ends without touching a file or running.
    virtual std::optional<ResultTarget> chooseResultFile() = 0;
    // The result file could not be opened; message is "Could not write the
    // file <name>" (window: ShowMessage). The batch makes no run and still
    // ends normally: cleanup and batchFinished follow, with no runs.
    virtual void openFailed(const std::string& message) = 0;

    // The iteration count ("iterations:" box). Read once for the header and,
    // in a generated batch, again before every iteration, so an edit during
    // the batch acts at the next test. A throw ends the batch.
    virtual int iterations() = 0;
    // The header's shape and isi, read in that order after iterations().
    virtual double headerShape() = 0;
    virtual double headerIsi() = 0;

    // Start of a run with this index (window: pump events, panel 0 "#i", pump).
    virtual void beforeIteration(int index) { (void)index; }
    // Generated batch: what iteration index reads (window: its boxes and
    // ticks as they are now). The iteration itself is runReadIteration's,
    // drawing from the batch's iterationSource(seed, index).
    virtual GeneratedReads generatedReads(int index) = 0;
    // Replay: the line's output list is now the input train (window: panel 0
    // "<stored> sps <sourcePath>").
    virtual void trainLoaded(const TrainLoad& load, const std::string& sourcePath) {
        (void)load;
        (void)sourcePath;
    }
    // Replay: the instant run over the state's input train with its analysis.
    virtual void runTrain(SimState& state) = 0;
    // After each record, with the state that holds its run and analysis
    // (window: the points of the results view).
    virtual void recorded(const SimState& state) { (void)state; }
    // Asked after each record: true ends the batch there, as finished
    // (window: Stop was clicked). The report says Stopped and sums the runs made.
    virtual bool stopRequested() { return false; }

    // The batch is over, however it ended, an exception included (window:
    // enable All). Called after the result file is closed. Must not throw.
    virtual void cleanup() noexcept {}
    // The batch ended without an exception (window: redraw, then the summary
    // texts). Not called when an exception ends the batch.
    virtual void batchFinished(const BatchReport& report) { (void)report; }
};

// "Process All!": sets batchRunning, opens the result file, writes the
// header, then while index < iterations() runs iteration index from
// iterationSource(seed, index), adds its values to the sums and writes its
// record; closes the file and ends. With fixed reads its file is the one
// `mirvok-cli batch --seed seed` writes, byte for byte.
// Any exception (a conversion error from a hook, a write error) closes the
// file, clears batchRunning, calls cleanup and is rethrown; records already
// written stay. A failing close throws FileError the same way.
BatchReport runGeneratedBatch(SimState& state, std::uint64_t seed, BatchHooks& hooks);

// "ReadMulti...": the same frame over the output lists of a result file
// read beforehand (readReplaySource). Each list becomes the input train
// (loadInputTrain: steps outside the run skipped and counted, the rest
// sorted), is run, summed and recorded with the next index from 0. The
// report carries the source's count of damaged records, which were passed
// over. iterations() is read for the header only.
// Each list is loaded for the state's Nsteps as it stands (the window's, from
// its latest reset); a caller with a fresh state sets Nsteps first
// (stepsForRunLength), or the first list finds a run of no steps.
BatchReport runReplayBatch(SimState& state, const ReplaySource& source,
                           const std::string& sourcePath, BatchHooks& hooks);

// Reads sourcePath whole (readReplaySource), then runReplayBatch over it. Returns nullopt, and
// calls no hook, when no file of that name exists; a file that exists but
// cannot be read throws FileError "Could not read the file <path>" before
// anything changes.
std::optional<BatchReport> replayResultFile(SimState& state, const std::string& sourcePath,
                                            BatchHooks& hooks);

}  // namespace mirvok
