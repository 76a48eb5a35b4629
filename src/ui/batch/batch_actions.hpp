#pragma once

#include "batch/batch_iteration.hpp"
#include "model/sim_state.hpp"
#include "ui/batch/window_batch.hpp"
#include "ui/dialogs/file_name_dialog.hpp"

namespace mirvok::ui {

class BoxGeneratorEntries;
class MainWindow;
class ParameterBoxes;
class ResultsActions;
class RunActions;
class RunControl;
class RunScreen;

// The window's parts the batch handlers work with. openDialog is shared
// with "Read...".
struct BatchActionParts {
    SimState& state;
    WindowState& windowState;
    ParameterBoxes& boxes;
    RunValues values;
    RunControl& run;
    RunActions& runActions;
    RunScreen& screen;
    BoxGeneratorEntries& entries;
    FileNameDialog& openDialog;
    ResultsActions& results;
};

// "Process All!", "ReadMulti...", "copy command", and Stop while a batch
// runs: the window's batches (window_batch.hpp) over the boxes, checked
// before the result file is touched. A continuous run, ticking or paused,
// ends before a batch takes over the state.
class BatchActions {
  public:
    BatchActions(MainWindow& window, const BatchActionParts& parts);
    BatchActions(const BatchActions&) = delete;
    BatchActions& operator=(const BatchActions&) = delete;

  private:
    void AllClick();
    void ReadMultipleButtonClick();
    void StopButtonClick();
    void CopyCommandButtonClick();
    // The batch's points and its last run into the results view.
    void showBatchResults();

    MainWindow& window_;
    BatchActionParts parts_;
    FileNameDialog saveDialog_;  // the result file of the batches
    WindowBatch batch_;
};

}  // namespace mirvok::ui
