#include "ui/run/run_actions.hpp"

#include <QPushButton>
#include <utility>

#include "base/errors.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/display/local_cv_list.hpp"
#include "ui/results/results_model.hpp"
#include "ui/run/run_control.hpp"
#include "ui/window/main_window.hpp"

namespace mirvok::ui {

RunActions::RunActions(MainWindow& window, RunControl& run, const SimState& state,
                       const ParameterBoxes& boxes, const LocalCvList& variList,
                       ResultsModel& results)
    : run_(run), state_(state), boxes_(boxes), variList_(variList), results_(results) {
    using Click = MainWindow::Click;
    const FormControls& ui = window.ui();
    window.onClick(ui.SimulateButton, Click::StartsWork, [this] { SimulateButtonClick(); });
    window.onClick(ui.PauseButton, Click::Always, [this] { PauseButtonClick(); });
    window.onClick(ui.StopButton, Click::Always, [this] { StopButtonClick(); });
    window.onClick(
        ui.DoTest, Click::StartsWork, [this] { DoTestClick(); },
        [this] { countClicked_ = countClicked_ || holding_; });
    window.onTick([this] { Timer1Timer(); });
}

void RunActions::showRunResults() {
    // A c0 box being edited leaves the chart without its line, not failed.
    double c0 = 0.0;
    try {
        c0 = boxes_.valueBox(RunValue::C0).value();
    } catch (const Error&) {
    }
    results_.setRun(state_, variList_.windows(), c0);
}

void RunActions::holdCounts() {
    holding_ = true;
    countClicked_ = false;
}

void RunActions::runCountsHeld() {
    if (std::exchange(countClicked_, false)) DoTestClick();
}

void RunActions::DoTestClick() {
    run_.runAllSteps();
    showRunResults();
}

void RunActions::SimulateButtonClick() {
    run_.startContinuousRun();
}

void RunActions::PauseButtonClick() {
    run_.togglePause();
}

void RunActions::StopButtonClick() {
    // A batch ends after the record being written, at its own Stop.
    if (run_.batchRunning()) return;
    run_.stopRun();
    showRunResults();
}

void RunActions::Timer1Timer() {
    // A watched run that reaches its last step ends as Stop ends it.
    const bool watching = run_.watching();
    run_.tick();
    if (watching && !run_.watching()) showRunResults();
}

}  // namespace mirvok::ui
