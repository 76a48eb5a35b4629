#include "ui/run_control.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "analysis/analysis.hpp"
#include "model/instant_run.hpp"
#include "ui/box_params.hpp"
#include "ui/event_pump.hpp"
#include "ui/run_screen.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {

namespace {
const char* const kRateFailedMessage = "Error: Your inputs are probably not floats.";
}

RunControl::RunControl(SimState& state, RunBoxes boxes, const RunWidgets& widgets, QTimer& timer,
                       EventPump& pump, RunScreen& screen)
    : state_(state),
      boxes_(boxes),
      widgets_(widgets),
      timer_(timer),
      pump_(pump),
      screen_(screen),
      instantHooks_(*this, true),
      tickHooks_(*this, false) {
    speed_ = widgets.speed->value();
    graphicTrace_ = widgets.graphicTrace->isChecked();
    // The slots only copy a value: nothing in them can throw.
    speedWatch_ = QObject::connect(widgets.speed, &QSlider::valueChanged, widgets.speed,
                                   [this](int value) { speed_ = value; });
    graphicTraceWatch_ =
        QObject::connect(widgets.graphicTrace, &QCheckBox::toggled, widgets.graphicTrace,
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
    if (c.graphicTrace_) c.screen_.redraw();
    c.screen_.recordStep();
}

void RunControl::Hooks::stopRun() {
    control_.stopRun();
}

void RunControl::Hooks::rateFailed() {
    control_.screen_.showMessage(QString::fromUtf8(kRateFailedMessage));
}

void RunControl::runAllSteps() {
    SimState& s = state_;
    const RunWidgets& w = widgets_;
    // A continuous run's ticks must not step inside this loop.
    timer_.stop();
    EventPump::Scope loop(pump_);
    if (!s.batchRunning) w.simulate->setEnabled(false);
    w.graphicTrace->setChecked(false);
    boxes_.reset.clearCompleted();
    try {
        runInstant(s, boxes_.reset, boxes_.rates, instantHooks_);
    } catch (...) {
        // A reset that failed leaves no run behind: Simulate! is usable again.
        if (!boxes_.reset.completed() && !s.batchRunning) w.simulate->setEnabled(true);
        throw;
    }
    if (!s.batchRunning) {
        w.simulate->setEnabled(true);
        screen_.redraw();
    }
}

void RunControl::startContinuousRun() {
    runAllSteps();
    // With no step to run there is nothing to watch.
    if (state_.Nsteps == 0) return;
    widgets_.graphicTrace->setChecked(true);
    setContinuousButtons();
    resetSimulation(state_, boxes_.reset);
    timer_.start();
}

void RunControl::setContinuousButtons() {
    const RunWidgets& w = widgets_;
    w.simulate->setEnabled(false);
    w.read->setEnabled(false);
    w.save->setEnabled(false);
    w.maxDiff->setEnabled(false);
    w.zeroDiff->setEnabled(false);
    w.stop->setEnabled(true);
    w.pause->setEnabled(true);
}

void RunControl::stopRun() {
    SimState& s = state_;
    try {
        s.analysisResult = analyseRun(s, boxes_.analysis, &boxes_.vari, decimalSeparator());
    } catch (...) {
        boxes_.vari.flush();  // the lines made before the failure stay shown
        throw;
    }
    boxes_.vari.flush();
    if (s.batchRunning) return;
    timer_.stop();
    const RunWidgets& w = widgets_;
    w.stop->setEnabled(false);
    w.pause->setEnabled(false);
    w.maxDiff->setEnabled(true);
    w.zeroDiff->setEnabled(true);
    w.simulate->setEnabled(true);
    w.read->setEnabled(true);
    w.save->setEnabled(true);
    screen_.redraw();
}

void RunControl::togglePause() {
    if (timer_.isActive())
        timer_.stop();
    else
        timer_.start();
    widgets_.save->setEnabled(!widgets_.save->isEnabled());
    screen_.redraw();
}

void RunControl::tick() {
    // Ticks never step inside an instant run or a batch, nor past the run.
    if (pump_.loopRunning()) return;
    try {
        stepSimulation(state_, boxes_.rates, tickHooks_);
    } catch (...) {
        // A tick that fails (a box the redraw or the analysis reads) pauses
        // the run before the error is shown: left running, the next ticks
        // would fail again at once and bury the window under message boxes.
        if (timer_.isActive()) {
            timer_.stop();
            widgets_.save->setEnabled(true);
        }
        throw;
    }
}

}  // namespace mirvok::ui
