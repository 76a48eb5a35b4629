#pragma once

#include <QMetaObject>

#include "model/sim_state.hpp"
#include "model/step.hpp"
#include "model/value_source.hpp"
#include "ui/window/window_state.hpp"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;
class QWidget;

namespace mirvok::ui {

struct FormControls;

class EventPump;
class LocalCvList;
class RunScreen;

// The boxes as a run reads them, and the list of local CVs.
struct RunBoxes {
    ValueSource& values;
    LocalCvList& vari;
};

// Count!, Simulate!, Pause and Stop over the core's instant run and step,
// keeping the buttons, boxes and Timer1 in the state each run state needs.
// Redraws and messages go to the screen, which may throw: such an error
// leaves these calls for the caller's error report. Timer1's ticks are
// wired by the caller to tick().
class RunControl {
  public:
    RunControl(SimState& state, WindowState& window, RunBoxes boxes, const FormControls& ui,
               QTimer& timer, EventPump& pump, RunScreen& screen);
    // The hooks and the widgets' connections refer to this object.
    ~RunControl();
    RunControl(const RunControl&) = delete;
    RunControl& operator=(const RunControl&) = delete;

    void runAllSteps();
    void startContinuousRun();
    void stopRun();
    void togglePause();
    // One timer tick: one step of the continuous run.
    void tick();

    // Sets Nsteps from "time" for a train or segments made now, so that they
    // fit the run they are made for; an open watched run keeps its length.
    // A refused run length throws and changes nothing.
    void latchRunLength();
    // A watched run is open: ticking or paused, until Stop or its last step.
    bool watching() const { return watching_; }
    // One of the window's batches runs (WindowState).
    bool batchRunning() const { return window_.batchRunning; }

  private:
    // What the core's loops need from the window.
    class Hooks final : public RunHooks {
      public:
        Hooks(RunControl& control, bool pumps) : control_(control), pumps_(pumps) {}
        void pumpEvents() override;
        void afterUpdate() override;
        void stopRun() override;
        void rateFailed() override;

      private:
        RunControl& control_;
        bool pumps_;
    };

    void setContinuousButtons();
    void setIdleButtons();
    void enable(QWidget* control, bool enabled);

    SimState& state_;
    WindowState& window_;
    RunBoxes boxes_;
    const FormControls& ui_;
    QTimer& timer_;
    EventPump& pump_;
    RunScreen& screen_;
    Hooks instantHooks_;
    Hooks tickHooks_;
    // The speed bar and "graphic trace" as the step reads them, kept current
    // by their change signals, so that a step makes no call into the widgets.
    int speed_ = 1;
    bool graphicTrace_ = false;
    // The interval the step last gave Timer1 (reading it back from the timer
    // costs more than a step); -1 until the first step sets it.
    int intervalSet_ = -1;
    bool watching_ = false;
    QMetaObject::Connection speedWatch_;
    QMetaObject::Connection graphicTraceWatch_;
};

}  // namespace mirvok::ui
