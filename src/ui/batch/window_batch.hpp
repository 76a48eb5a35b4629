#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_loops.hpp"
#include "batch/batch_progress.hpp"
#include "records/provenance.hpp"
#include "trains/gamma_generator.hpp"
#include "ui/batch/batch_edits.hpp"
#include "ui/results/results_data.hpp"
#include "ui/window/window_state.hpp"

class QCheckBox;
class QPushButton;
class QWidget;

namespace mirvok::ui {

struct FormControls;

class Dialogs;
class EventPump;
class FileNameDialog;
class ParameterBoxes;
class RunControl;
class RunScreen;
class StatusPanels;

// What a batch works with besides its controls. The save dialog is shown
// through `dialogs`, modal to `window`; values are the boxes as a run reads
// them; showProgress (may be empty) gets the batch's progress as it changes.
struct BatchParts {
    SimState& state;
    WindowState& windowState;
    const ParameterBoxes& boxes;
    RunValues values;
    RunControl& run;
    EventPump& pump;
    RunScreen& screen;
    StatusPanels& status;
    FileNameDialog& saveDialog;
    Dialogs& dialogs;
    QWidget* window;
    GeneratorEntries& entries;
    std::function<void(const QString&)> showProgress;
};

// "Process All!" and "ReadMulti..." on the window's thread: the core's batch
// loops (batch_loops.hpp) reading the window's boxes and ticks as they are
// at each iteration, handling its events between and within runs, and
// ended by Stop after the record being written. All is disabled and Stop
// enabled while a batch runs; the result file is named by the save dialog
// ("output.csv" unless "ask file" is ticked; "del" truncates, clear
// appends); panel 0 counts the runs, with "3354 of 50000", the runs per
// second and the time left in its tooltip and in showProgress. At the end
// the last iteration is run again with its traces for the displays, then
// the summary goes into panels 1, 3 and 4 (and the seed of a generated
// batch into panel 10), and the displays are redrawn once. FILE.json
// beside the result file says how it is being made from before the first
// record (the core's writer session) and how the batch ended. FILE.json lists the values as
// the batch started and every edit of them from the first run that read it
// (BatchEdits); its "iterations" is the count the header names, a replay's
// the records it read. A window closed during a batch ends it at its next
// event check (the pump throws WindowClosed: FILE.json says interrupted),
// and a run that fails ends it with its error (failed): either way FILE.json
// counts the records made, and the exception goes on to end the click.
class WindowBatch final : private LiveBatch {
  public:
    WindowBatch(const BatchParts& parts, const FormControls& ui)
        : parts_(parts),
          ui_(ui),
          edits_(parts.boxes, parts.windowState.segments),
          watchedEntries_(parts.entries, [this] { lookForEdits(BatchMoment::DrawingTrain); }) {}
    // The watched entries refer to this object: never copied.
    WindowBatch(const WindowBatch&) = delete;
    WindowBatch& operator=(const WindowBatch&) = delete;

    // "Process All!" with this seed.
    void runGenerated(std::uint64_t seed);
    // "ReadMulti..." over the result file at path, read whole first: none of
    // that name does nothing; one that cannot be read throws FileError.
    void replay(const std::string& path);

    void requestStop() { stopRequested_ = true; }
    // Input CV, q and score of every record of the last batch that made one.
    const std::vector<BatchPoint>& points() const { return points_; }
    // The seed of the last generated batch, if any ran.
    std::optional<std::uint64_t> lastSeed() const { return lastSeed_; }
    // The progress of the running or last batch (empty before the first).
    const QString& progress() const { return progress_; }

    // The result file to write, or nullopt when the user cancelled the save
    // dialog ("ask file" ticked).
    std::optional<ResultTarget> chooseResultFile();

  private:
    int iterations() override;
    void pumpEvents() override;
    void iterationStarts(int index, int total) override;
    GeneratedReads reads() override;
    bool recorded(const IterationOutcome& outcome) override;
    void describe(Provenance& entry) override;

    using CoreBatch = std::function<BatchReport(SessionStart, const ResultHeader&)>;
    void run(const CoreBatch& batch);
    // Readies the batch; returns its provenance entry as it starts.
    Provenance begin(const ResultTarget& target);
    // The iterations asked for: the box as it reads now, or a replay's lines.
    int askedFor() const;
    void finish(const BatchReport& report);
    TrainChoice trainChoice() const;
    void showProgress(int done, int total, BatchState state);
    void runLastIterationTraced(int index);
    // The window's events were just handled at `moment` of the current run.
    void lookForEdits(BatchMoment moment);

    BatchParts parts_;
    const FormControls& ui_;
    bool stopRequested_ = false;
    std::optional<std::uint64_t> seed_;  // a generated batch's
    std::optional<std::uint64_t> lastSeed_;
    const ReplaySource* source_ = nullptr;  // a replay's, while it runs
    std::string sourcePath_;
    ResultTarget target_;
    BatchEdits edits_;
    WatchedEntries watchedEntries_;
    bool inRun_ = false;  // the run has read what it reads before its train
    // One per record written: their count is also the run that reads the
    // boxes next, or reads them now.
    std::vector<BatchPoint> points_;
    QElapsedTimer clock_;  // since the batch began
    qint64 progressShownAt_ = 0;
    QString counter_;  // panel 0 as the last iteration set it
    QString progress_;
};

}  // namespace mirvok::ui
