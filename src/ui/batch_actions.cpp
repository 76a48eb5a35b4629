// "Process All!" and "ReadMulti...": the window's side of the core's batch
// loops.
#include "ui/batch_actions.hpp"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "batch/batch_iteration.hpp"
#include "batch/batch_summary.hpp"
#include "ui/dialogs.hpp"
#include "ui/form_controls.hpp"
#include "ui/status_panels.hpp"
#include "ui/tform1.hpp"
#include "ui/train_actions.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {

namespace {

// Clears the upper halves of the vector registers. Some of the toolkit's
// painting code leaves them in use, after which every scalar floating-point
// instruction of the model runs about half again as long on some processors
// until something clears them; the train and the run of each batch
// iteration therefore start from a clean state.
void clearUpperVectorRegisters() {
#if defined(__x86_64__) && defined(__GNUC__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) asm volatile("vzeroupper");
#endif
}

}  // namespace

void WindowBatchHooks::batchStarted() {
    form_.ui().All->setEnabled(false);
}

std::optional<ResultTarget> WindowBatchHooks::chooseResultFile() {
    const FormControls& ui = form_.ui();
    FileNameDialog& dialog = form_.SaveDialog1();
    if (ui.askfile->isChecked()) {
        // A cancelled dialog ends the batch before any file is touched.
        if (!dialog.execute(form_.dialogs(), &form_)) return std::nullopt;
    } else {
        // No directory: the batch writes into the working directory.
        dialog.setFileName(QStringLiteral("output.csv"));
    }
    ResultTarget target;
    target.name = toStd(dialog.fileName());
    target.mode = ui.FirstDel->isChecked() ? ResultFileMode::Truncate : ResultFileMode::Append;
    return target;
}

void WindowBatchHooks::openFailed(const std::string& message) {
    form_.dialogs().showMessage(&form_, toQt(message));
}

int WindowBatchHooks::iterations() {
    return readInt(form_.ui().ntests);
}

double WindowBatchHooks::headerShape() {
    return readDouble(form_.ui().shape);
}

double WindowBatchHooks::headerIsi() {
    return readDouble(form_.ui().isi);
}

void WindowBatchHooks::beforeIteration(int index) {
    // Pumping is throttled to about every 10 ms, so a batch of short runs
    // is paced by the model, while clicks and edits still act between runs.
    form_.processEvents();
    form_.StatusBar().setText(0, QStringLiteral("#") + intText(index));
    form_.processEvents();
    clearUpperVectorRegisters();
}

void WindowBatchHooks::makeTrain(SimState& state, int) {
    const FormControls& ui = form_.ui();
    BoxGeneratorEntries entries(ui);
    makeBatchTrain(state, entries, form_.random(), ui.diffintervals->isChecked(),
                   ui.quantify->isChecked(), ui.c01->isChecked());
}

void WindowBatchHooks::trainLoaded(const TrainLoad& load, const std::string& sourcePath) {
    if (load.stored == 0) return;
    form_.StatusBar().setText(0, intText(static_cast<long long>(load.stored)) +
                                     QStringLiteral(" sps ") + toQt(sourcePath));
}

void WindowBatchHooks::runTrain(SimState&) {
    form_.runAllSteps();
}

void WindowBatchHooks::cleanup() noexcept {
    form_.ui().All->setEnabled(true);
}

void WindowBatchHooks::batchFinished(const BatchReport& report) {
    // A cancelled file dialog ends the batch without a trace.
    if (report.end == BatchEnd::Cancelled) return;
    form_.redrawDisplays();
    const BatchSummaryTexts texts = summaryTexts(report.sums, report.fileName, decimalSeparator());
    form_.StatusBar().setText(1, toQt(texts.output));
    form_.StatusBar().setText(3, toQt(texts.avg));
    form_.StatusBar().setText(4, toQt(texts.avl));
    if (report.skippedSteps > 0) {
        form_.dialogs().showMessage(
            &form_, toQt(skippedStepsMessage(report.skippedSteps, form_.state().Nsteps)));
    }
}

void TForm1::AllClick() {
    // A continuous run, ticking or paused, ends before the batch takes over
    // the state: inside the batch stopRun leaves the buttons alone, so the
    // window would stay in the watched run's state after it.
    if (ui().StopButton->isEnabled()) stopRun();
    LoopScope loop(*this);
    WindowBatchHooks hooks(*this);
    runGeneratedBatch(state(), hooks);
}

void TForm1::ReadMultipleButtonClick() {
    // A cancelled dialog ends the operation: nothing read, nothing written.
    if (!OpenDialog().execute(dialogs(), this)) return;
    // As for "Process All!", a continuous run ends first, once there is a
    // file to replay.
    if (ui().StopButton->isEnabled() && QFileInfo::exists(OpenDialog().fileName())) stopRun();
    LoopScope loop(*this);
    WindowBatchHooks hooks(*this);
    // The file is read whole before the result file is opened; no file of
    // that name: nothing happens.
    replayResultFile(state(), toStd(OpenDialog().fileName()), hooks);
}

}  // namespace mirvok::ui
