#include "ui/run/run_control.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <exception>
#include <initializer_list>

#include "analysis/analysis.hpp"
#include "model/instant_run.hpp"
#include "trains/spike_train_reader.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/display/local_cv_list.hpp"
#include "ui/display/run_screen.hpp"
#include "ui/window/control_state.hpp"
#include "ui/window/event_pump.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {

namespace {
const char* const kRateFailedMessage = "Error: Your inputs are probably not floats.";
using Controls = std::initializer_list<QWidget*>;
}  // namespace

RunControl::RunControl(SimState& state, WindowState& window, RunBoxes boxes, const FormControls& ui,
                       QTimer& timer, EventPump& pump, RunScreen& screen)
    : state_(state),
      window_(window),
      boxes_(boxes),
      ui_(ui),
      timer_(timer),
      pump_(pump),
      screen_(screen),
      instantHooks_(*this, true),
      tickHooks_(*this, false) {
    speed_ = ui.speed->value();
    graphicTrace_ = ui.GraphicTrace->isChecked();
    // The slots only copy a value: nothing in them can throw.
    speedWatch_ = QObject::connect(ui.speed, &QSlider::valueChanged, ui.speed,
                                   [this](int value) { speed_ = value; });
    graphicTraceWatch_ = QObject::connect(ui.GraphicTrace, &QCheckBox::toggled, ui.GraphicTrace,
                                          [this](bool checked) { graphicTrace_ = checked; });
}

RunControl::~RunControl() {
    QObject::disconnect(speedWatch_);
    QObject::disconnect(graphicTraceWatch_);
}

void RunControl::Hooks::pumpEvents() {
    if (pumps_) control_.pump_.pump();
}

void RunControl::Hooks::afterUpdate() {
    RunControl& c = control_;
    const int interval = c.speed_;
    if (c.intervalSet_ != interval) {
        c.timer_.setInterval(interval);
        c.intervalSet_ = interval;
    }
    // A batch draws once, at its end, whatever "graphic trace" says.
    if (c.graphicTrace_ && !c.batchRunning()) c.screen_.redraw();
    c.screen_.recordStep();
}

void RunControl::Hooks::stopRun() {
    control_.stopRun();
}

void RunControl::Hooks::rateFailed() {
    control_.screen_.showMessage(QString::fromUtf8(kRateFailedMessage));
}

void RunControl::enable(QWidget* control, bool enabled) {
    setControlEnabled(control, enabled, ui_.DoTest);
}

void RunControl::runAllSteps() {
    SimState& s = state_;
    // A continuous run's ticks must not step inside this loop.
    timer_.stop();
    EventPump::Scope loop(pump_);
    if (!batchRunning()) enable(ui_.SimulateButton, false);
    ui_.GraphicTrace->setChecked(false);
    const std::size_t skippedBefore = s.skippedSteps;
    try {
        runInstant(s, boxes_.values, instantHooks_);
    } catch (...) {
        // A refused value leaves no run behind: Simulate! is usable again.
        if (!batchRunning()) enable(ui_.SimulateButton, true);
        throw;
    }
    if (batchRunning()) return;
    enable(ui_.SimulateButton, true);
    screen_.redraw();
    // Steps of the loaded train beyond a shorter run are said once, when the
    // run length leaves out another number of them.
    if (s.skippedSteps > 0 && s.skippedSteps != skippedBefore)
        screen_.showMessage(toQt(skippedStepsMessage(s.skippedSteps, s.Nsteps)));
}

void RunControl::startContinuousRun() {
    runAllSteps();
    // With no step to run there is nothing to watch.
    if (state_.Nsteps == 0) return;
    // The boxes may have changed during the instant run: a reset refused
    // here leaves the window idle, before any button changed, and a new run
    // length gets trains that fit it.
    resetSimulation(state_, boxes_.values);
    fitTrains(state_);
    ui_.GraphicTrace->setChecked(true);
    setContinuousButtons();
    watching_ = true;
    timer_.start();
}

void RunControl::setContinuousButtons() {
    const FormControls& w = ui_;
    for (QWidget* off :
         Controls{w.SimulateButton, w.ReadButton, w.SaveButton, w.MaxDiff, w.ZeroDiff})
        enable(off, false);
    enable(w.StopButton, true);
    enable(w.PauseButton, true);
}

void RunControl::setIdleButtons() {
    const FormControls& w = ui_;
    enable(w.StopButton, false);
    enable(w.PauseButton, false);
    for (QWidget* on :
         Controls{w.MaxDiff, w.ZeroDiff, w.SimulateButton, w.ReadButton, w.SaveButton})
        enable(on, true);
}

void RunControl::stopRun() {
    SimState& s = state_;
    std::exception_ptr failure;
    try {
        analyseRun(s, boxes_.values, window_.results, &boxes_.vari);
    } catch (...) {
        failure = std::current_exception();
    }
    boxes_.vari.flush();  // the lines made before a failure stay shown
    if (!batchRunning()) {
        // A refused analysis value ends the run as well: the window is idle,
        // not left with a running timer whose run the error did not stop.
        timer_.stop();
        watching_ = false;
        setIdleButtons();
    }
    if (failure) std::rethrow_exception(failure);
    if (!batchRunning()) screen_.redraw();
}

void RunControl::togglePause() {
    if (timer_.isActive())
        timer_.stop();
    else
        timer_.start();
    enable(ui_.SaveButton, !ui_.SaveButton->isEnabled());
    screen_.redraw();
}

void RunControl::latchRunLength() {
    if (watching_) return;
    state_.Nsteps = stepsOfRun(boxes_.values);
}

void RunControl::tick() {
    // Ticks never step inside an instant run or a batch, nor past the run.
    if (pump_.loopRunning()) return;
    try {
        stepSimulation(state_, boxes_.values, tickHooks_);
    } catch (...) {
        // A tick that fails (a box the redraw or the analysis reads) pauses
        // the run before the error is shown: left running, the next ticks
        // would fail again at once and bury the window under message boxes.
        if (timer_.isActive()) {
            timer_.stop();
            enable(ui_.SaveButton, true);
        }
        throw;
    }
}

}  // namespace mirvok::ui
