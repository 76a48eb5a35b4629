// "Read...", "GammaGen!" and "define intervals": the handlers that replace
// the input train or the segment lists.
#include "ui/train_actions.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <utility>

#include "trains/spike_train_reader.hpp"
#include "ui/dialogs.hpp"
#include "ui/form_controls.hpp"
#include "ui/interval_dialog.hpp"
#include "ui/status_panels.hpp"
#include "ui/tform1.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {

double BoxGeneratorEntries::cv() {
    return readDouble(ui_.CVedit);
}

void BoxGeneratorEntries::writeShape(const std::string& text) {
    ui_.shape->setText(toQt(text));
}

double BoxGeneratorEntries::shape() {
    return readDouble(ui_.shape);
}

double BoxGeneratorEntries::isi() {
    return readDouble(ui_.isi);
}

double BoxGeneratorEntries::isiJitter() {
    return readDouble(ui_.isiInt);
}

char BoxGeneratorEntries::decimalSeparator() const {
    return ui::decimalSeparator();
}

namespace {

// The input train as it stood before an operation, put back when the
// operation fails, so that a refused entry leaves the window's train alone.
class TrainBackup {
  public:
    explicit TrainBackup(SimState& state)
        : state_(state),
          inTrain_(state.inTrain),
          outTrain_(state.outTrain),
          inSpikeSteps_(state.inSpikeSteps) {}
    void restore() {
        state_.inTrain = std::move(inTrain_);
        state_.outTrain = std::move(outTrain_);
        state_.inSpikeSteps = std::move(inSpikeSteps_);
    }

  private:
    SimState& state_;
    Flags inTrain_;
    Flags outTrain_;
    std::vector<int> inSpikeSteps_;
};

QString trainCountText(std::size_t count, const QString& path) {
    return intText(static_cast<long long>(count)) + QStringLiteral(" sps ") + path;
}

}  // namespace

void TForm1::ReadButtonClick() {
    // A cancelled dialog ends the operation: nothing read, nothing redrawn.
    if (!openDialog_.execute(dialogs_, this)) return;
    const QString path = openDialog_.fileName();
    const std::optional<TrainLoad> load = readSpikeTrainFile(state_, toStd(path));
    // Panel 0 names the file once a number was stored; an empty file keeps it.
    if (load && load->stored > 0) statusBar_->setText(0, trainCountText(load->stored, path));
    redrawDisplays();
    if (load && load->skipped > 0)
        dialogs_.showMessage(this, toQt(skippedStepsMessage(load->skipped, state_.Nsteps)));
}

void TForm1::GammaButtonClick() {
    TrainBackup backup(state_);
    try {
        generateTrain(state_, generatorEntries_, random_, ui_.diffintervals->isChecked());
    } catch (...) {
        backup.restore();
        throw;
    }
    if (!state_.batchRunning) redrawDisplays();
}

void TForm1::newintsClick() {
    intervalDialog_->defineIntervals(
        state_, decimalSeparator(), [this](TOKBottomDlg& dialog) { dialogs_.execDialog(dialog); },
        [this](const std::string& message) { dialogs_.showMessage(this, toQt(message)); });
}

}  // namespace mirvok::ui
