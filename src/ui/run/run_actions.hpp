#pragma once

#include "model/sim_state.hpp"

namespace mirvok::ui {

class LocalCvList;
class MainWindow;
class ParameterBoxes;
class ResultsModel;
class RunControl;

// "Count!", "Simulate!", "Pause", "Stop" and Timer1's tick: the run
// control's operations on the window's clicks, and the results view kept
// up with every run that ends. A Count! or Process All! click during a
// continuous run first stops Timer1 (the run control's doing). Stop during
// a batch is the batch's.
class RunActions {
  public:
    RunActions(MainWindow& window, RunControl& run, const SimState& state,
               const ParameterBoxes& boxes, const LocalCvList& variList, ResultsModel& results);
    RunActions(const RunActions&) = delete;
    RunActions& operator=(const RunActions&) = delete;

    void DoTestClick();
    // The results after a run or a batch ended (Count!, Stop, a batch).
    void showRunResults();

    // While a train is drawn a Count! click is kept rather than ignored: it
    // is meant for the new train, and runs once the train is drawn, so that
    // the displays never show the new train beside the old run.
    void holdCounts();
    // Counts clicked since holdCounts are no longer kept; runCountsHeld runs
    // one if there was any.
    void releaseCounts() { holding_ = false; }
    void runCountsHeld();

  private:
    void SimulateButtonClick();
    void PauseButtonClick();
    void StopButtonClick();
    void Timer1Timer();

    RunControl& run_;
    const SimState& state_;
    const ParameterBoxes& boxes_;
    const LocalCvList& variList_;
    ResultsModel& results_;
    bool holding_ = false;
    bool countClicked_ = false;
};

}  // namespace mirvok::ui
