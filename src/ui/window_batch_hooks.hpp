#pragma once

#include "batch/batch_loops.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/random_source.hpp"

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
// through `dialogs`, modal to `window`.
struct BatchParts {
    const SimState& state;
    const ParameterBoxes& boxes;
    RunControl& run;
    EventPump& pump;
    RunScreen& screen;
    StatusPanels& status;
    FileNameDialog& saveDialog;
    Dialogs& dialogs;
    QWidget* window;
    GeneratorEntries& entries;
    RandomSource& random;
};

// The core's batch loops mapped onto the window: All disabled and Stop
// enabled while the batch runs, the result file named by the save dialog
// ("output.csv" unless "ask file" is ticked; "del" truncates, clear
// appends), the iteration count from "iterations:", panel 0 counting the
// runs, events pumped between runs, each train made for the run length in
// "time", and at the end one redraw and the summary in panels 1, 3 and 4.
// Stop (requestStop) ends the batch after the record being written.
class WindowBatchHooks final : public BatchHooks {
  public:
    WindowBatchHooks(const BatchParts& parts, const BatchWidgets& widgets)
        : parts_(parts), widgets_(widgets) {}

    void requestStop() { stopRequested_ = true; }

    void batchStarted() override;
    std::optional<ResultTarget> chooseResultFile() override;
    void openFailed(const std::string& message) override;
    int iterations() override;
    double headerShape() override;
    double headerIsi() override;
    bool stopRequested() override { return stopRequested_; }
    void beforeIteration(int index) override;
    void makeTrain(SimState& state, int index) override;
    void trainLoaded(const TrainLoad& load, const std::string& sourcePath) override;
    void runTrain(SimState& state) override;
    void cleanup() noexcept override;
    void batchFinished(const BatchReport& report) override;

  private:
    BatchParts parts_;
    BatchWidgets widgets_;
    bool stopRequested_ = false;
};

}  // namespace mirvok::ui
