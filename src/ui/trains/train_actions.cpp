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
#include "ui/tform1.hpp"
#include "ui/window/event_pump.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {

double BoxGeneratorEntries::cv() {
    return boxes_.cv.value();
}

void BoxGeneratorEntries::writeShape(const std::string& text) {
    shapeBox_->setText(toQt(text));
}

double BoxGeneratorEntries::shape() {
    return boxes_.shape.value();
}

double BoxGeneratorEntries::isi() {
    return boxes_.isi.value();
}

double BoxGeneratorEntries::isiJitter() {
    return boxes_.isiJitter.value();
}

char BoxGeneratorEntries::decimalSeparator() const {
    return ui::decimalSeparator();
}

void BoxGeneratorEntries::pumpEvents() {
    pump_.pump();
}

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

void TForm1::ReadButtonClick() {
    // The train is read for the run length in "time", not the last run's.
    runControl_.latchRunLength();
    // A cancelled dialog ends the operation: nothing read, nothing redrawn.
    if (!openDialog_.execute(dialogs_, this)) return;
    const QString path = openDialog_.fileName();
    const std::optional<TrainLoad> load =
        readSpikeTrainFile(state_, toStd(path), availableMemoryBytes().value_or(0));
    // Panel 0 names the file just read, also when it held no number; text
    // that ended the reading early is said in its tooltip and beside the
    // train's intervals, never in a box the user must close.
    if (load) {
        const std::string note = load->stoppedAt ? readStopMessage(toStd(path), *load->stoppedAt,
                                                                   load->stored + load->skipped)
                                                 : std::string();
        statusBar_->setText(0, spikeCountLead(load->stored), path, toQt(note));
        results_.setTrain(state_, note);
    }
    redrawDisplays();
    if (load && load->skipped > 0)
        dialogs_.showMessage(this, toQt(skippedStepsMessage(load->skipped, state_.Nsteps)));
}

void TForm1::GammaButtonClick() {
    TrainBackup backup(state_);
    {
        // Clicks that would start other work are ignored (a Count! waits for
        // the train), and a watched run's ticks pause, while a long train
        // is drawn with the window's events handled.
        EventPump::Scope loop(pump_);
        countAfterTrain_ = false;
        drawingTrain_ = true;
        const struct Drawing {
            bool& flag;
            ~Drawing() { flag = false; }
        } drawing{drawingTrain_};
        try {
            runControl_.latchRunLength();
            generateTrain(state_, generatorEntries_, random_, ui_.diffintervals->isChecked(),
                          ShapeSource::FromCv, availableMemoryBytes().value_or(0));
        } catch (...) {
            backup.restore();
            throw;
        }
    }
    if (state_.batchRunning) return;
    results_.setTrain(state_);
    redrawDisplays();
    if (std::exchange(countAfterTrain_, false)) DoTestClick();
}

void TForm1::newintsClick() {
    // The segments are cut for the run length in "time".
    runControl_.latchRunLength();
    intervalDialog_->defineIntervals(
        state_, decimalSeparator(),
        [this](TOKBottomDlg& dialog) { return dialogs_.execDialog(dialog); },
        [this](const std::string& message) { dialogs_.showMessage(this, toQt(message)); });
}

}  // namespace mirvok::ui
