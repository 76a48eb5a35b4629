#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "model/sim_state.hpp"
#include "trains/random_source.hpp"
#include "ui/box_params.hpp"
#include "ui/file_name_dialog.hpp"
#include "ui/form_controls.hpp"
#include "ui/trace_columns.hpp"

namespace mirvok::ui {

class Dialogs;
class RunControl;
class StatusPanels;
class TOKBottomDlg;

// Column extents of both volume traces, recorded as runs step.
struct TracesColumns {
    TraceColumns v1;
    TraceColumns v2;
};

// The main window "Form1". It maps the named controls to core calls and
// back; the work is done by the core, RunControl (runs), the display code
// (redrawDisplays) and the handlers' own files.
//
// Construction: the SimState, the random source and the dialogs object are
// made by the caller and must outlive the window (main() passes QtDialogs;
// tests pass a ScriptedDialogs). Construction runs FormCreate: Nsteps from
// TimeEdit, then the first redraw. The interval dialog OKBottomDlg is created
// hidden as a child of the window.
//
// Handlers: every click and the timer tick reach their slot through
// report(), the window's one error report: an error escaping a handler is
// shown in a message box (its own message) and the event loop goes on.
// While a loop runs (loopRunning(): an instant run, or a batch holding a
// LoopScope), clicks on Count!, Simulate!, Read..., ReadMulti..., Save...,
// GammaGen!, Process All! and define intervals are ignored; Stop, Pause,
// the check boxes, speed and the boxes keep working. A Count! or Process All!
// click during a continuous run first stops Timer1.
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    TForm1(SimState& state, RandomSource& random, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // Collaborators handed in.
    SimState& state() const { return state_; }
    RandomSource& random() const { return random_; }
    Dialogs& dialogs() const { return dialogs_; }

    // Named controls (members named as the layout names them) and the
    // window's non-visual parts.
    const FormControls& ui() const { return ui_; }
    StatusPanels& StatusBar() const { return *statusBar_; }
    FileNameDialog& OpenDialog() { return openDialog_; }
    FileNameDialog& SaveDialog1() { return saveDialog_; }
    QTimer& Timer1() { return timer_; }
    TOKBottomDlg& OKBottomDlg() const { return *intervalDialog_; }

    // The boxes as the core reads them: reset values, the step's rates
    // (cached per box, refreshed on every text change), analysis values and
    // the VariBox line sink.
    BoxResetValues& resetValues() { return resetValues_; }
    CachedBoxRates& rates() { return rates_; }
    BoxAnalysisParams& analysisParams() { return analysisParams_; }
    ListBoxSink& variSink() { return variSink_; }
    TracesColumns& traceColumns() { return traceColumns_; }

    // Run control and display.
    void runAllSteps();
    void startContinuousRun();
    void stopRun();
    void togglePause();
    void redrawDisplays();

    // Lets pending window events be handled, at most about every 10 ms;
    // loops (the instant run, batches) call it often and cheaply. Once the
    // window was closed it throws WindowClosed inside a loop.
    void processEvents();

    // Marks a running loop for as long as it lives (nestable). Batches hold
    // one around their iterations; runAllSteps holds one itself.
    class LoopScope {
      public:
        explicit LoopScope(TForm1& form) : form_(form) { ++form_.loopDepth_; }
        ~LoopScope() { --form_.loopDepth_; }
        LoopScope(const LoopScope&) = delete;
        LoopScope& operator=(const LoopScope&) = delete;

      private:
        TForm1& form_;
    };
    bool loopRunning() const { return loopDepth_ > 0; }

    // Runs a handler under the window's error report; false when it failed.
    bool report(const std::function<void()>& handler);

  public slots:
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
    // Tick of Timer1: one step of a continuous run.
    void Timer1Timer();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Closing ends a continuous run at once, and a running loop at its next
    // event check (processEvents throws WindowClosed).
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate();
    void connectHandlers();
    void connectClick(QWidget* button, void (TForm1::*handler)(), bool startsWork);

    SimState& state_;
    RandomSource& random_;
    Dialogs& dialogs_;
    FormControls ui_;
    StatusPanels* statusBar_ = nullptr;
    FileNameDialog openDialog_;
    FileNameDialog saveDialog_;
    QTimer timer_;
    TOKBottomDlg* intervalDialog_ = nullptr;
    BoxResetValues resetValues_;
    CachedBoxRates rates_;
    BoxAnalysisParams analysisParams_;
    ListBoxSink variSink_;
    TracesColumns traceColumns_;
    std::unique_ptr<RunControl> runControl_;
    QElapsedTimer sincePump_;
    int loopDepth_ = 0;
    bool closed_ = false;
};

}  // namespace mirvok::ui
