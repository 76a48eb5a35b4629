// "Read...", "GammaGen!" and "define intervals": the handlers that replace
// the input train or the segment lists.
#include "ui/trains/train_actions.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <utility>

#include "system/machine_memory.hpp"
#include "trains/spike_train_reader.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/dialogs/dialogs.hpp"
#include "ui/dialogs/interval_dialog.hpp"
#include "ui/display/run_screen.hpp"
#include "ui/results/results_model.hpp"
#include "ui/run/run_actions.hpp"
#include "ui/run/run_control.hpp"
#include "ui/trains/box_generator_entries.hpp"
#include "ui/window/event_pump.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/main_window.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {

namespace {

// The input train and the run length as they stood before an operation,
// put back when the operation fails, so that a refused entry leaves the
// window's train alone.
class TrainBackup {
  public:
    explicit TrainBackup(SimState& state)
        : state_(state),
          Nsteps_(state.Nsteps),
          loaded_(state.loadedTrain),
          loadedOutside_(state.loadedOutsideAnyRun),
          skipped_(state.skippedSteps),
          inTrain_(state.inTrain),
          outTrain_(state.outTrain),
          inSpikeSteps_(state.inSpikeSteps),
          trainMeanMs_(state.trainMeanMs),
          trainShape_(state.trainShape) {}
    void restore() {
        state_.Nsteps = Nsteps_;
        state_.loadedTrain = std::move(loaded_);
        state_.loadedOutsideAnyRun = loadedOutside_;
        state_.skippedSteps = skipped_;
        state_.inTrain = std::move(inTrain_);
        state_.outTrain = std::move(outTrain_);
        state_.inSpikeSteps = std::move(inSpikeSteps_);
        state_.trainMeanMs = trainMeanMs_;
        state_.trainShape = trainShape_;
    }

  private:
    SimState& state_;
    int Nsteps_;
    std::vector<int> loaded_;
    std::size_t loadedOutside_;
    std::size_t skipped_;
    Flags inTrain_;
    Flags outTrain_;
    std::vector<int> inSpikeSteps_;
    double trainMeanMs_;
    double trainShape_;
};

}  // namespace

TrainActions::TrainActions(MainWindow& window, const TrainParts& parts)
    : window_(window),
      parts_(parts),
      spikeListDialog_(FileNameDialog::Mode::Save, QStringLiteral("csv"),
                       QStringLiteral("spikes.csv")),
      intervalDialog_(new TOKBottomDlg(&window)) {
    intervalDialog_->hide();
    using Click = MainWindow::Click;
    const FormControls& ui = window.ui();
    window.onClick(ui.ReadButton, Click::StartsWork, [this] { ReadButtonClick(); });
    window.onClick(ui.SaveButton, Click::StartsWork, [this] { SaveButtonClick(); });
    window.onClick(ui.newints, Click::StartsWork, [this] { newintsClick(); });
    window.onClick(ui.GammaButton, Click::StartsWork, [this] { GammaButtonClick(); });
}

void TrainActions::ReadButtonClick() {
    // The train is read for the run length in "time", not the last run's.
    parts_.run.latchRunLength();
    // A cancelled dialog ends the operation: nothing read, nothing redrawn.
    if (!parts_.openDialog.execute(window_.dialogs(), &window_)) return;
    const QString path = parts_.openDialog.fileName();
    const std::optional<TrainLoad> load =
        readSpikeTrainFile(parts_.state, toStd(path), availableMemoryBytes().value_or(0));
    // Panel 0 names the file just read, also when it held no number; text
    // that ended the reading early is said in its tooltip and beside the
    // train's intervals, never in a box the user must close.
    if (load) {
        const std::string note = load->stoppedAt ? readStopMessage(toStd(path), *load->stoppedAt,
                                                                   load->stored + load->skipped)
                                                 : std::string();
        window_.StatusBar().setText(0, spikeCountLead(load->stored), path, toQt(note));
        parts_.results.setTrain(parts_.state, note);
    }
    parts_.screen.redraw();
    if (load && load->skipped > 0)
        window_.dialogs().showMessage(
            &window_, toQt(skippedStepsMessage(load->skipped, parts_.state.Nsteps)));
}

void TrainActions::GammaButtonClick() {
    TrainBackup backup(parts_.state);
    {
        // Clicks that would start other work are ignored (a Count! waits for
        // the train), and a watched run's ticks pause, while a long train
        // is drawn with the window's events handled.
        EventPump::Scope loop(window_.pump());
        parts_.runActions.holdCounts();
        const struct Holding {
            RunActions& run;
            ~Holding() { run.releaseCounts(); }
        } holding{parts_.runActions};
        try {
            parts_.run.latchRunLength();
            generateTrain(parts_.state, parts_.entries, parts_.random,
                          window_.ui().diffintervals->isChecked(), ShapeSource::FromCv,
                          availableMemoryBytes().value_or(0));
        } catch (...) {
            backup.restore();
            throw;
        }
    }
    if (parts_.run.batchRunning()) return;
    parts_.results.setTrain(parts_.state);
    parts_.screen.redraw();
    parts_.runActions.runCountsHeld();
}

void TrainActions::newintsClick() {
    // The segments are cut for the run length in "time".
    parts_.run.latchRunLength();
    intervalDialog_->defineIntervals(
        parts_.windowState.segments, parts_.state.Nsteps, decimalSeparator(),
        [this](TOKBottomDlg& dialog) { return window_.dialogs().execDialog(dialog); },
        [this](const std::string& message) {
            window_.dialogs().showMessage(&window_, toQt(message));
        });
}

}  // namespace mirvok::ui
