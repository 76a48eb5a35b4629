#include "ui/batch/window_batch.hpp"

#include <QCheckBox>
#include <QPushButton>
#include <QStringList>

#include "base/errors.hpp"
#include "batch/batch_progress.hpp"
#include "batch/batch_summary.hpp"
#include "records/result_file.hpp"
#include "records/result_file_reader.hpp"
#include "system/vector_registers.hpp"
#include "ui/batch/window_provenance.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/dialogs/file_name_dialog.hpp"
#include "ui/display/run_screen.hpp"
#include "ui/run/run_control.hpp"
#include "ui/window/control_state.hpp"
#include "ui/window/error_report.hpp"
#include "ui/window/event_pump.hpp"
#include "ui/window/form_controls.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {
namespace {

// The progress is shown at most this often: a batch of short runs makes
// thousands a second, and the text only needs to keep up with the eye.
constexpr qint64 kProgressIntervalMs = 100;

// batchRunning from the start of a batch to its summary: inside it the runs
// leave the buttons and the displays to the batch.
class BatchRunningFlag {
  public:
    explicit BatchRunningFlag(WindowState& window) : window_(window) {
        window_.batchRunning = true;
    }
    ~BatchRunningFlag() { window_.batchRunning = false; }
    BatchRunningFlag(const BatchRunningFlag&) = delete;
    BatchRunningFlag& operator=(const BatchRunningFlag&) = delete;

  private:
    WindowState& window_;
};

// All disabled and Stop enabled for as long as the batch's runs go on.
class BatchButtons {
  public:
    explicit BatchButtons(const FormControls& ui) : w_(ui) { set(true); }
    ~BatchButtons() { set(false); }
    BatchButtons(const BatchButtons&) = delete;
    BatchButtons& operator=(const BatchButtons&) = delete;

  private:
    void set(bool running) {
        setControlEnabled(running ? w_.All : w_.StopButton, false, w_.DoTest);
        setControlEnabled(running ? w_.StopButton : w_.All, true, w_.DoTest);
    }
    const FormControls& w_;
};

}  // namespace

void WindowBatch::runGenerated(std::uint64_t seed) {
    seed_ = seed;
    lastSeed_ = seed;
    source_ = nullptr;
    run([&](SessionStart start, const ResultHeader& header) {
        return runGeneratedBatch(parts_.state, std::move(start), header, seed, *this);
    });
}

void WindowBatch::replay(const std::string& path) {
    // The file is read whole before the result file is opened, which may be
    // this very file.
    const std::optional<ReplaySource> source = readReplaySource(path);
    if (!source) return;
    seed_.reset();
    sourcePath_ = path;
    source_ = &*source;
    struct Forget {
        const ReplaySource*& source;
        ~Forget() { source = nullptr; }
    } forget{source_};
    run([&](SessionStart start, const ResultHeader& header) {
        return runReplayBatch(parts_.state, std::move(start), header, *source, *this);
    });
}

void WindowBatch::run(const CoreBatch& batch) {
    BatchRunningFlag running(parts_.windowState);
    BatchReport report;
    {
        const BatchButtons buttons(ui_);
        const std::optional<ResultTarget> target = chooseResultFile();
        // A cancelled file dialog ends the batch without a trace.
        if (!target) return;
        // The core's session keeps FILE.json true however the batch ends: a
        // closed window or a failed run leaves the records made, described.
        SessionStart start{*target, Previous::Dropped, begin(*target)};
        // The header's values as the batch starts; every box was checked before.
        const ParameterBoxes& b = parts_.boxes;
        const double isi = b.valueBox(*rowOfGeneratorEntry(GeneratorEntry::Isi)).value();
        const ResultHeader header{isi, b.shape.value(), b.iterations.intValue()};
        // The shape box need not be the shape the CV gives: the header is
        // recorded as written, so that verify can check it whole.
        std::string line = formatResultHeader(header.isi, header.shape, header.ntests);
        line.pop_back();
        start.entry->more["header"] = line;
        report = batch(std::move(start), header);
    }
    finish(report);
}

std::optional<ResultTarget> WindowBatch::chooseResultFile() {
    FileNameDialog& dialog = parts_.saveDialog;
    const bool replaces = ui_.FirstDel->isChecked();
    if (ui_.askfile->isChecked()) {
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
    return target;
}

Provenance WindowBatch::begin(const ResultTarget& target) {
    stopRequested_ = false;
    points_.clear();
    target_ = target;
    // The values as the batch starts: every one was checked before.
    Provenance entry =
        provenanceOf("mirvok", seed_ ? "batch" : "replay",
                     boxValuesJson(parts_.boxes, parts_.windowState.segments, trainChoice(),
                                   seed_ ? BatchSource::Generated : BatchSource::Replayed));
    entry.seed = seed_;
    entry.source = source_ ? std::optional(sourcePath_) : std::nullopt;
    if (source_) entry.more["source_sha256"] = source_->sha256;
    // The count the header names; edits of the box are among the changes.
    entry.iterations = askedFor();
    inRun_ = false;
    edits_.start(trainChoice(), seed_.has_value());
    parts_.status.setText(10, seed_ ? QStringLiteral("seed: ") + intText(*seed_) : QString());
    clock_.start();
    progressShownAt_ = 0;
    counter_.clear();
    return entry;
}

int WindowBatch::askedFor() const {
    // A replay is asked for the records of its source.
    return source_ ? static_cast<int>(source_->lists.size()) : parts_.boxes.iterations.intValue();
}

int WindowBatch::iterations() {
    return parts_.boxes.iterations.intValue();
}

void WindowBatch::pumpEvents() {
    // Pumping is throttled to about every 10 ms, so a batch of short runs
    // is paced by the model, while clicks and edits still act between runs.
    if (!parts_.pump.pump()) return;
    // A run offers events from its reset on, before each stretch of steps.
    const BatchMoment moment = !inRun_                     ? BatchMoment::BeforeRun
                               : parts_.state.curStep == 0 ? BatchMoment::RunStarted
                                                           : BatchMoment::Stepping;
    lookForEdits(moment);
    // The painting just done may leave the vector registers' upper halves
    // in use, which slows the model's arithmetic until they are cleared.
    clearUpperVectorRegisters();
}

void WindowBatch::lookForEdits(BatchMoment moment) {
    edits_.look(trainChoice(), static_cast<int>(points_.size()), moment);
}

void WindowBatch::iterationStarts(int index, int total) {
    const qint64 now = clock_.elapsed();
    if (index == 0 || now - progressShownAt_ >= kProgressIntervalMs) {
        progressShownAt_ = now;
        showProgress(index, total, BatchState::Running);
    }
    // The panel's own tooltip is its text; in a batch it tells the progress.
    counter_ = QStringLiteral("#") + intText(index);
    parts_.status.setTextAndTip(0, counter_, progress_);
}

void WindowBatch::showProgress(int done, int total, BatchState state) {
    const double seconds = static_cast<double>(clock_.elapsed()) / 1000.0;
    progress_ = toQt(progressText(done, total, seconds, state));
    if (parts_.showProgress) parts_.showProgress(progress_);
}

TrainChoice WindowBatch::trainChoice() const {
    return {ui_.diffintervals->isChecked(), ui_.quantify->isChecked(), ui_.c01->isChecked()};
}

GeneratedReads WindowBatch::reads() {
    // What the run reads from here on comes after its ticks and, in a
    // generated batch, its train's entries.
    inRun_ = true;
    return {watchedEntries_, trainChoice(), parts_.values};
}

bool WindowBatch::recorded(const IterationOutcome& outcome) {
    inRun_ = false;
    const RunResults& r = outcome.results;
    points_.push_back({r.isiCV, r.transmissionRatio, r.analysisResult});
    // A replay's line: its output list, now the run's input train.
    if (source_ && outcome.inSpikes > 0)
        parts_.status.setText(0, spikeCountLead(outcome.inSpikes), toQt(sourcePath_));
    return stopRequested_;
}

void WindowBatch::runLastIterationTraced(int index) {
    // The same train and the same boxes give the same run: the displays show
    // the run of the last record, with traces the batch's runs did not keep,
    // and the local-CV list its windows.
    if (seed_) {
        Pcg31 source = iterationSource(*seed_, static_cast<std::uint64_t>(index));
        // The batch's runs are over: edits now are no longer its own.
        makeIterationTrain(parts_.state, {parts_.entries, trainChoice(), parts_.values}, source);
    } else {
        loadReplayTrain(parts_.state, source_->lists[static_cast<std::size_t>(index)],
                        parts_.values);
    }
    clearUpperVectorRegisters();
    parts_.run.runAllSteps();
}

void WindowBatch::describe(Provenance& entry) {
    const Json changes = edits_.changes();
    if (!changes.empty()) entry.more["changes"] = changes;
}

void WindowBatch::finish(const BatchReport& report) {
    const int runs = report.sums.runs;
    if (report.end == BatchEnd::OpenFailed) {
        // Another process writing the file: to the user a file that cannot
        // be opened, said as such.
        parts_.screen.showMessage(toQt(
            report.openBusy ? FileError::couldNotWrite(target_.name).what() : report.openFailure));
    } else if (runs > 0) {
        runLastIterationTraced(runs - 1);
    }
    showProgress(runs, askedFor(), BatchState::Ended);
    if (parts_.status.text(0) == counter_) parts_.status.setTextAndTip(0, counter_, progress_);
    // The summary first: a redraw that meets a box being edited (time, ign)
    // reports that box, but the results of the batch are shown either way.
    const BatchSummaryTexts texts = summaryTexts(report.sums, target_.name, decimalSeparator());
    parts_.status.setText(1, QStringLiteral("output: "), toQt(target_.name));
    parts_.status.setText(3, toQt(texts.avg));
    parts_.status.setText(4, toQt(texts.avl));
    if (seed_) parts_.status.setText(10, QStringLiteral("seed: ") + intText(*seed_));
    parts_.screen.redraw();
    // What a replay passed over is said in one message.
    QStringList passedOver;
    if (source_ && source_->damagedRecords > 0)
        passedOver << toQt(damagedRecordsMessage(source_->damagedRecords));
    if (source_ && source_->partialRecords > 0)
        passedOver << toQt(partialRecordsMessage(source_->partialRecords));
    if (report.skippedSteps > 0)
        passedOver << toQt(skippedStepsMessage(report.skippedSteps, parts_.state.Nsteps));
    if (!passedOver.isEmpty()) parts_.screen.showMessage(passedOver.join(QLatin1Char('\n')));
}

}  // namespace mirvok::ui
