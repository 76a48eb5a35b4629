#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "ui/batch/window_batch.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/dialogs/file_name_dialog.hpp"
#include "ui/display/local_cv_list.hpp"
#include "ui/display/window_screen.hpp"
#include "ui/results/results_model.hpp"
#include "ui/run/run_control.hpp"
#include "ui/trains/train_actions.hpp"
#include "ui/window/event_pump.hpp"
#include "ui/window/form_controls.hpp"

namespace mirvok::ui {

class Dialogs;
class ResultsWindow;
class StatusPanels;
class TOKBottomDlg;

// The main window "Form1": owns every control and part and wires them. The
// parts get only what they use (window_parts.hpp): RunControl the runs, the
// window screen the displays and messages, WindowBatch the batches; the
// click handlers live in the *_actions.cpp files named for what they do.
//
// Construction: the SimState, the random source and the dialogs object are
// made by the caller and must outlive the window (main() passes QtDialogs;
// tests pass a ScriptedDialogs). Construction runs FormCreate: Nsteps from
// TimeEdit, then the first redraw. The interval dialog OKBottomDlg is created
// hidden as a child of the window.
//
// Handlers: every click and the timer tick reach their handler through
// report(), the window's one error report: an error escaping a handler is
// shown in a message box (its own message) and the event loop goes on.
// While a loop runs (loopRunning(): an instant run, a batch, or GammaGen!
// drawing a train), clicks on Count!, Simulate!, Read..., ReadMulti...,
// Save..., GammaGen!, Process All! and define intervals are ignored, but
// for a Count! during GammaGen!, which runs once the train is drawn; Stop,
// Pause, the check boxes, speed and the boxes keep working, and Stop ends a
// batch after its current record. A Count! or Process All! click during a
// continuous run first stops Timer1.
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    TForm1(SimState& state, RandomSource& random, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // The named controls (members named as the layout names them), the
    // status bar and Timer1, for tools and tests to click and read.
    const FormControls& ui() const { return ui_; }
    const StatusPanels& StatusBar() const { return *statusBar_; }
    const QTimer& Timer1() const { return timer_; }
    // What "results..." shows: the last batch, the input train, the run.
    const ResultsModel& results() const { return results_; }
    bool loopRunning() const { return pump_.loopRunning(); }

    void redrawDisplays();

    // The sweep browser of a folder (`mirvok --sweep DIR`), or a message
    // saying why there is none.
    void openSweep(const QString& folder);

    // Runs a handler under the window's error report; false when it failed.
    // Once the window was closed, the program ends when the handler returns.
    bool report(const std::function<void()>& handler);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Closing ends a continuous run at once, and a running loop at its next
    // event check (the pump throws WindowClosed); a batch ended so still
    // writes its FILE.json.
    void closeEvent(QCloseEvent* event) override;

  private:
    // Click handlers, named after control and event.
    void ReadButtonClick();
    void ReadMultipleButtonClick();
    void SimulateButtonClick();
    void PauseButtonClick();
    void StopButtonClick();
    void SaveButtonClick();
    void newintsClick();
    void GammaButtonClick();
    void DoTestClick();
    void AllClick();
    void ResultsButtonClick();
    ResultsWindow& resultsWindow();
    void CopyCommandButtonClick();
    // The results after a run or a batch ended (Count!, Stop, a batch).
    void showRunResults();
    // Tick of Timer1: one step of a continuous run.
    void Timer1Timer();

    void FormCreate();
    void connectHandlers();
    void connectClick(QWidget* button, void (TForm1::*handler)(), bool startsWork);

    SimState& state_;
    RandomSource& random_;
    Dialogs& dialogs_;
    FormControls ui_;
    StatusPanels* statusBar_;
    FileNameDialog openDialog_;
    FileNameDialog saveDialog_;  // the result file of the batches
    FileNameDialog spikeListDialog_;
    QTimer timer_;
    TOKBottomDlg* intervalDialog_ = nullptr;
    ParameterBoxes boxes_;
    BoxResetValues resetValues_;
    BoxRates rates_;
    BoxAnalysisParams analysisParams_;
    LocalCvList variList_;
    EventPump pump_;
    BoxGeneratorEntries generatorEntries_;
    WindowScreen screen_;
    RunControl runControl_;
    WindowBatch batch_;
    ResultsModel results_;
    ResultsWindow* resultsWindow_ = nullptr;  // made at the first "results..."
    // GammaGen! is drawing a train; a Count! was clicked meanwhile.
    bool drawingTrain_ = false;
    bool countAfterTrain_ = false;
};

}  // namespace mirvok::ui
