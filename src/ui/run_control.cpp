#include "ui/run_control.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "analysis/analysis.hpp"
#include "model/instant_run.hpp"
#include "ui/dialogs.hpp"
#include "ui/display_painter.hpp"
#include "ui/tform1.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {

namespace {
const char* const kRateFailedMessage = "Error: Your inputs are probably not floats.";
}

RunControl::RunControl(TForm1& form)
    : form_(form), instantHooks_(*this, true), tickHooks_(*this, false) {
    const FormControls& ui = form.ui();
    speed_ = ui.speed->value();
    graphicTrace_ = ui.GraphicTrace->isChecked();
    QObject::connect(ui.speed, &QSlider::valueChanged, &form,
                     [this](int value) { speed_ = value; });
    QObject::connect(ui.GraphicTrace, &QCheckBox::toggled, &form,
                     [this](bool checked) { graphicTrace_ = checked; });
}

void RunControl::Hooks::pumpEvents() {
    if (pumps_) control_.form_.processEvents();
}

void RunControl::Hooks::afterUpdate() {
    TForm1& f = control_.form_;
    const int interval = control_.speed_;
    if (control_.intervalSet_ != interval) {
        f.Timer1().setInterval(interval);
        control_.intervalSet_ = interval;
    }
    if (control_.graphicTrace_) f.redrawDisplays();
    recordTraceStep(f);
}

void RunControl::Hooks::stopRun() {
    control_.stopRun();
}

void RunControl::Hooks::rateFailed() {
    control_.form_.dialogs().showMessage(&control_.form_, QString::fromUtf8(kRateFailedMessage));
}

void RunControl::runAllSteps() {
    TForm1& f = form_;
    SimState& s = f.state();
    const FormControls& ui = f.ui();
    // A continuous run's ticks must not step inside this loop.
    f.Timer1().stop();
    TForm1::LoopScope loop(f);
    if (!s.batchRunning) ui.SimulateButton->setEnabled(false);
    ui.GraphicTrace->setChecked(false);
    f.resetValues().clearCompleted();
    try {
        runInstant(s, f.resetValues(), f.rates(), instantHooks_);
    } catch (...) {
        // A reset that failed leaves no run behind: Simulate! is usable again.
        if (!f.resetValues().completed() && !s.batchRunning) ui.SimulateButton->setEnabled(true);
        throw;
    }
    if (!s.batchRunning) {
        ui.SimulateButton->setEnabled(true);
        f.redrawDisplays();
    }
}

void RunControl::startContinuousRun() {
    TForm1& f = form_;
    runAllSteps();
    // With no step to run there is nothing to watch.
    if (f.state().Nsteps == 0) return;
    f.ui().GraphicTrace->setChecked(true);
    setContinuousButtons();
    resetSimulation(f.state(), f.resetValues());
    f.Timer1().start();
}

void RunControl::setContinuousButtons() {
    const FormControls& ui = form_.ui();
    ui.SimulateButton->setEnabled(false);
    ui.ReadButton->setEnabled(false);
    ui.SaveButton->setEnabled(false);
    ui.MaxDiff->setEnabled(false);
    ui.ZeroDiff->setEnabled(false);
    ui.StopButton->setEnabled(true);
    ui.PauseButton->setEnabled(true);
}

void RunControl::stopRun() {
    TForm1& f = form_;
    SimState& s = f.state();
    try {
        s.analysisResult = analyseRun(s, f.analysisParams(), &f.variSink(), decimalSeparator());
    } catch (...) {
        f.variSink().flush();  // the lines made before the failure stay shown
        throw;
    }
    f.variSink().flush();
    if (s.batchRunning) return;
    f.Timer1().stop();
    const FormControls& ui = f.ui();
    ui.StopButton->setEnabled(false);
    ui.PauseButton->setEnabled(false);
    ui.MaxDiff->setEnabled(true);
    ui.ZeroDiff->setEnabled(true);
    ui.SimulateButton->setEnabled(true);
    ui.ReadButton->setEnabled(true);
    ui.SaveButton->setEnabled(true);
    f.redrawDisplays();
}

void RunControl::togglePause() {
    TForm1& f = form_;
    if (f.Timer1().isActive())
        f.Timer1().stop();
    else
        f.Timer1().start();
    f.ui().SaveButton->setEnabled(!f.ui().SaveButton->isEnabled());
    f.redrawDisplays();
}

void RunControl::tick() {
    // Ticks never step inside an instant run or a batch, nor past the run.
    TForm1& f = form_;
    if (f.loopRunning()) return;
    try {
        stepSimulation(f.state(), f.rates(), tickHooks_);
    } catch (...) {
        // A tick that fails (a box the redraw or the analysis reads) pauses
        // the run before the error is shown: left running, the next ticks
        // would fail again at once and bury the window under message boxes.
        if (f.Timer1().isActive()) {
            f.Timer1().stop();
            f.ui().SaveButton->setEnabled(true);
        }
        throw;
    }
}

}  // namespace mirvok::ui
