#pragma once

#include <QString>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "ui/batch/batch_actions.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/dialogs/file_name_dialog.hpp"
#include "ui/display/local_cv_list.hpp"
#include "ui/display/window_screen.hpp"
#include "ui/results/results_actions.hpp"
#include "ui/run/run_actions.hpp"
#include "ui/run/run_control.hpp"
#include "ui/trains/box_generator_entries.hpp"
#include "ui/trains/train_actions.hpp"
#include "ui/window/main_window.hpp"
#include "ui/window/window_state.hpp"

namespace mirvok::ui {

class Dialogs;

// The main window "Form1": the window's frame (ui/window) with the groups
// of handlers made over it and wired to each other: the runs (ui/run), the
// trains (ui/trains), the batches (ui/batch) and the results (ui/results),
// whose "Open sweep..." opens the sweep browser (ui/sweeps). Each group
// connects its own buttons.
//
// Construction: the SimState, the random source and the dialogs object are
// made by the caller and must outlive the window (main() passes QtDialogs;
// tests pass a ScriptedDialogs). Construction runs FormCreate: Nsteps from
// TimeEdit, then the first redraw.
class TForm1 final : public MainWindow {
    Q_OBJECT
  public:
    TForm1(SimState& state, RandomSource& random, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // What "results..." shows: the last batch, the input train, the run.
    const ResultsModel& results() const { return results_.model(); }
    void redrawDisplays();

    // The sweep browser of a folder (`mirvok --sweep DIR`), or a message
    // saying why there is none.
    void openSweep(const QString& folder);

    // What the window keeps beside the model's state.
    const WindowState& windowState() const { return windowState_; }

  private:
    void FormCreate();

    SimState& state_;
    WindowState windowState_;
    ParameterBoxes boxes_;
    BoxValues values_;
    LocalCvList variList_;
    BoxGeneratorEntries generatorEntries_;
    WindowScreen screen_;
    RunControl runControl_;
    // "Read..." and "ReadMulti..." start where the user last looked.
    FileNameDialog openDialog_;
    ResultsActions results_;
    RunActions run_;
    TrainActions trains_;
    BatchActions batch_;
};

}  // namespace mirvok::ui
