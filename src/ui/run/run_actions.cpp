// "Count!", "Simulate!", "Pause", "Stop" and Timer1's tick: the run
// control's operations.
#include "ui/tform1.hpp"

namespace mirvok::ui {

void TForm1::DoTestClick() {
    runControl_.runAllSteps();
    showRunResults();
}

void TForm1::SimulateButtonClick() {
    runControl_.startContinuousRun();
}

void TForm1::PauseButtonClick() {
    runControl_.togglePause();
}

void TForm1::StopButtonClick() {
    // A batch ends after the record being written; a run ends at once.
    if (state_.batchRunning)
        batch_.requestStop();
    else {
        runControl_.stopRun();
        showRunResults();
    }
}

void TForm1::Timer1Timer() {
    // A watched run that reaches its last step ends as Stop ends it.
    const bool watching = runControl_.watching();
    runControl_.tick();
    if (watching && !runControl_.watching()) showRunResults();
}

}  // namespace mirvok::ui
