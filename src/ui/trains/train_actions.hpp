#pragma once

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "ui/dialogs/file_name_dialog.hpp"
#include "ui/window/window_state.hpp"

namespace mirvok::ui {

class BoxGeneratorEntries;
class MainWindow;
class ResultsModel;
class RunActions;
class RunControl;
class RunScreen;
class TOKBottomDlg;

// The window's parts the train handlers work with. openDialog is shared
// with "ReadMulti...", so that both start where the user last looked.
struct TrainParts {
    SimState& state;
    WindowState& windowState;
    RandomSource& random;
    RunControl& run;
    RunActions& runActions;
    RunScreen& screen;
    ResultsModel& results;
    BoxGeneratorEntries& entries;
    FileNameDialog& openDialog;
};

// "Read...", "Save...", "GammaGen!" and "define intervals": the handlers
// that replace the input train or the segment lists, or save the output
// train. The interval dialog OKBottomDlg is created hidden as a child of
// the window.
class TrainActions {
  public:
    TrainActions(MainWindow& window, const TrainParts& parts);
    TrainActions(const TrainActions&) = delete;
    TrainActions& operator=(const TrainActions&) = delete;

  private:
    void ReadButtonClick();
    void SaveButtonClick();
    void GammaButtonClick();
    void newintsClick();

    MainWindow& window_;
    TrainParts parts_;
    // Save... proposes a spike list of its own, never a batch's results.
    FileNameDialog spikeListDialog_;
    TOKBottomDlg* intervalDialog_;
};

}  // namespace mirvok::ui
