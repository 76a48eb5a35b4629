#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_loops.hpp"
#include "batch/results/provenance.hpp"
#include "trains/gamma_generator.hpp"
#include "ui/results/results_data.hpp"

class QCheckBox;
class QPushButton;
class QWidget;

namespace mirvok::ui {

class Dialogs;
class EventPump;
class FileNameDialog;
class ParameterBoxes;
class RunControl;
class RunScreen;
class StatusPanels;

// The controls a batch reads and writes.
struct BatchWidgets {
    QPushButton* all = nullptr;
    QPushButton* stop = nullptr;
    QPushButton* count = nullptr;  // takes the focus of a button the batch disables
    QCheckBox* askFile = nullptr;
    QCheckBox* firstDel = nullptr;  // "del"
    QCheckBox* diffIntervals = nullptr;
    QCheckBox* quantify = nullptr;
    QCheckBox* quantifyZeroOne = nullptr;  // "0--1"
};

// What a batch works with besides its controls. The save dialog is shown
// through `dialogs`, modal to `window`; values are the boxes as a run reads
// them.
struct BatchParts {
    SimState& state;
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
};

// The core's batch loops mapped onto the window: All disabled and Stop
// enabled while the batch runs, the result file named by the save dialog
// ("output.csv" unless "ask file" is ticked; "del" truncates, clear
// appends), the iteration count from "iterations:", panel 0 counting the
// runs, events pumped between runs, each train made for the run length in
// "time", and at the end one redraw and the summary in panels 1, 3 and 4
// (and the seed of a generated batch in panel 10). The iterations of a
// generated batch are the core's, without traces, each train drawn from the
// seed and the iteration's index as `mirvok-cli batch` draws it; the last
// one is then run again with its traces, for the displays. FILE.json beside
// the result file says how it was made. Stop (requestStop) ends the batch
// after the record being written. A window closed during a batch ends it at
// its next event check (the pump throws WindowClosed): FILE.json is written
// for the records made, and WindowClosed goes on to end the click.
class WindowBatchHooks final : public BatchHooks {
  public:
    WindowBatchHooks(const BatchParts& parts, const BatchWidgets& widgets)
        : parts_(parts), widgets_(widgets) {}

    // "Process All!" with this seed; ReadMulti... over the file at path.
    BatchReport runGenerated(std::uint64_t seed);
    std::optional<BatchReport> replay(const std::string& path);

    void requestStop() { stopRequested_ = true; }
    // Input CV, q and score of every record of the last batch that made one.
    const std::vector<BatchPoint>& points() const { return points_; }
    // The seed of the last generated batch, if any ran.
    std::optional<std::uint64_t> lastSeed() const { return lastSeed_; }

    void batchStarted() override;
    std::optional<ResultTarget> chooseResultFile() override;
    void openFailed(const std::string& message) override;
    int iterations() override;
    double headerShape() override;
    double headerIsi() override;
    bool stopRequested() override { return stopRequested_; }
    void beforeIteration(int index) override;
    GeneratedReads generatedReads(int index) override;
    void trainLoaded(const TrainLoad& load, const std::string& sourcePath) override;
    void runTrain(SimState& state) override;
    void recorded(const SimState& state) override;
    void cleanup() noexcept override;
    void batchFinished(const BatchReport& report) override;

  private:
    template <typename Batch>
    auto recordedOnClose(const Batch& batch) -> decltype(batch());
    TrainChoice trainChoice() const;
    void runLastIterationTraced(int index);
    void recordProvenance(const BatchReport& report);

    BatchParts parts_;
    BatchWidgets widgets_;
    bool stopRequested_ = false;
    std::optional<std::uint64_t> seed_;  // a generated batch's
    std::optional<std::uint64_t> lastSeed_;
    std::optional<std::string> replaySource_;  // a replay's
    Provenance provenance_;
    std::optional<std::string> unrecorded_;  // the result file opened, FILE.json not yet written
    std::vector<BatchPoint> points_;
};

}  // namespace mirvok::ui
