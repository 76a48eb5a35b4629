#include "ui/window_batch_hooks.hpp"

#include <QCheckBox>
#include <QPushButton>
#include <QStringList>

#include "batch/batch_iteration.hpp"
#include "batch/batch_summary.hpp"
#include "batch/results/result_file_reader.hpp"
#include "system/vector_registers.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/boxes/window_provenance.hpp"
#include "ui/control_state.hpp"
#include "ui/dialogs/file_name_dialog.hpp"
#include "ui/display/run_screen.hpp"
#include "ui/display/status_panels.hpp"
#include "ui/error_report.hpp"
#include "ui/event_pump.hpp"
#include "ui/run_control.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {

template <typename Batch>
auto WindowBatchHooks::recordedOnClose(const Batch& batch) -> decltype(batch()) {
    try {
        return batch();
    } catch (const WindowClosed&) {
        // The window was closed, which ends the program: the batch ends at
        // that event check with its whole records (a run the close cut
        // short left none) and is described as a stopped batch is, or a
        // batch of the clock's seed could never be made again or continued.
        if (unrecorded_) {
            BatchReport report;
            report.end = BatchEnd::Stopped;
            report.fileName = *unrecorded_;
            // recorded() follows each record at once, with no event check
            // between them: one point per record written.
            report.sums.runs = static_cast<int>(points_.size());
            recordProvenance(report);
        }
        throw;
    }
}

BatchReport WindowBatchHooks::runGenerated(std::uint64_t seed) {
    seed_ = seed;
    lastSeed_ = seed;
    replaySource_.reset();
    return recordedOnClose([&] { return runGeneratedBatch(parts_.state, seed, *this); });
}

std::optional<BatchReport> WindowBatchHooks::replay(const std::string& path) {
    seed_.reset();
    replaySource_ = path;
    return recordedOnClose([&] { return replayResultFile(parts_.state, path, *this); });
}

void WindowBatchHooks::batchStarted() {
    stopRequested_ = false;
    // The values as the batch starts: every one was checked before.
    provenance_ =
        provenanceOf("mirvok", seed_ ? "batch" : "replay",
                     boxValuesJson(parts_.boxes, parts_.state, trainChoice(),
                                   seed_ ? BatchSource::Generated : BatchSource::Replayed));
    provenance_.seed = seed_;
    provenance_.source = replaySource_;
    provenance_.started = std::chrono::system_clock::now();
    points_.clear();
    unrecorded_.reset();
    setControlEnabled(widgets_.all, false, widgets_.count);
    setControlEnabled(widgets_.stop, true, widgets_.count);
}

std::optional<ResultTarget> WindowBatchHooks::chooseResultFile() {
    FileNameDialog& dialog = parts_.saveDialog;
    const bool replaces = widgets_.firstDel->isChecked();
    if (widgets_.askFile->isChecked()) {
        // A cancelled dialog ends the batch before any file is touched. The
        // user is asked before a file is emptied, not before it is appended to.
        const auto existing = replaces ? FileNameDialog::Existing::AskBeforeReplacing
                                       : FileNameDialog::Existing::Replace;
        if (!dialog.execute(parts_.dialogs, parts_.window, existing)) return std::nullopt;
    } else {
        // No directory: the batch writes into the working directory.
        dialog.setFileName(QStringLiteral("output.csv"));
    }
    ResultTarget target;
    target.name = toStd(dialog.fileName());
    target.mode = replaces ? ResultFileMode::Truncate : ResultFileMode::Append;
    unrecorded_ = target.name;
    return target;
}

void WindowBatchHooks::openFailed(const std::string& message) {
    unrecorded_.reset();
    parts_.screen.showMessage(toQt(message));
}

int WindowBatchHooks::iterations() {
    return parts_.boxes.iterations.intValue();
}

double WindowBatchHooks::headerShape() {
    return parts_.boxes.shape.value();
}

double WindowBatchHooks::headerIsi() {
    return parts_.boxes.isi.value();
}

void WindowBatchHooks::beforeIteration(int index) {
    // Pumping is throttled to about every 10 ms, so a batch of short runs
    // is paced by the model, while clicks and edits still act between runs.
    parts_.pump.pump();
    parts_.status.setText(0, QStringLiteral("#") + intText(index));
    parts_.pump.pump();
    // The train is made, or replayed, for the run it goes into.
    parts_.run.latchRunLength();
    clearUpperVectorRegisters();
}

TrainChoice WindowBatchHooks::trainChoice() const {
    return {widgets_.diffIntervals->isChecked(), widgets_.quantify->isChecked(),
            widgets_.quantifyZeroOne->isChecked()};
}

GeneratedReads WindowBatchHooks::generatedReads(int) {
    return {parts_.entries, trainChoice(), parts_.values};
}

void WindowBatchHooks::recorded(const SimState& state) {
    points_.push_back({state.isiCV, state.transmissionRatio, state.analysisResult});
}

void WindowBatchHooks::runLastIterationTraced(int index) {
    // The same seed and index give the same train, and the same boxes the
    // same run: the displays show the run of the last record, with traces
    // the untraced iterations did not keep.
    Pcg31 source = iterationSource(*seed_, static_cast<std::uint64_t>(index));
    makeIterationTrain(parts_.state, generatedReads(index), source);
    clearUpperVectorRegisters();
    parts_.run.runAllSteps();
}

void WindowBatchHooks::recordProvenance(const BatchReport& report) {
    unrecorded_.reset();  // once, even when the write fails
    provenance_.iterations = parts_.boxes.iterations.intValue();
    provenance_.runs = report.sums.runs;
    provenance_.ended = std::chrono::system_clock::now();
    mirvok::recordProvenance(
        report.fileName, provenance_,
        widgets_.firstDel->isChecked() ? ProvenanceMode::Replace : ProvenanceMode::Append);
}

void WindowBatchHooks::trainLoaded(const TrainLoad& load, const std::string& sourcePath) {
    if (load.stored == 0) return;
    parts_.status.setText(0, intText(static_cast<long long>(load.stored)) +
                                 QStringLiteral(" sps ") + toQt(sourcePath));
}

void WindowBatchHooks::runTrain(SimState&) {
    parts_.run.runAllSteps();
}

void WindowBatchHooks::cleanup() noexcept {
    setControlEnabled(widgets_.stop, false, widgets_.count);
    setControlEnabled(widgets_.all, true, widgets_.count);
}

void WindowBatchHooks::batchFinished(const BatchReport& report) {
    // A cancelled file dialog ends the batch without a trace.
    if (report.end == BatchEnd::Cancelled) return;
    if (seed_ && report.sums.runs > 0) runLastIterationTraced(report.sums.runs - 1);
    // The summary first: a redraw that meets a box being edited (time, ign)
    // reports that box, but the results of the batch are shown either way.
    const BatchSummaryTexts texts = summaryTexts(report.sums, report.fileName, decimalSeparator());
    parts_.status.setText(1, toQt(texts.output));
    parts_.status.setText(3, toQt(texts.avg));
    parts_.status.setText(4, toQt(texts.avl));
    if (seed_) parts_.status.setText(10, QStringLiteral("seed: ") + intText(*seed_));
    if (report.end != BatchEnd::OpenFailed) recordProvenance(report);
    parts_.screen.redraw();
    // What a replay passed over is said in one message.
    QStringList passedOver;
    if (report.damagedRecords > 0) passedOver << toQt(damagedRecordsMessage(report.damagedRecords));
    if (report.skippedSteps > 0)
        passedOver << toQt(skippedStepsMessage(report.skippedSteps, parts_.state.Nsteps));
    if (!passedOver.isEmpty()) parts_.screen.showMessage(passedOver.join(QLatin1Char('\n')));
}

}  // namespace mirvok::ui
