// "Process All!" and "ReadMulti...": the core's batch loops on the window's
// thread (window_batch.hpp); "copy command": the same batch as a command line.
#include "ui/batch/batch_actions.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <optional>

#include "base/errors.hpp"
#include "text/number_parse.hpp"
#include "trains/gamma_generator.hpp"
#include "ui/batch/batch_check.hpp"
#include "ui/batch/batch_command_line.hpp"
#include "ui/batch/batch_seed.hpp"
#include "ui/boxes/box_params.hpp"
#include "ui/dialogs/dialogs.hpp"
#include "ui/results/results_actions.hpp"
#include "ui/run/run_actions.hpp"
#include "ui/run/run_control.hpp"
#include "ui/trains/box_generator_entries.hpp"
#include "ui/window/main_window.hpp"
#include "ui/window/ui_text.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {
namespace {

// The command line's header names the shape its CV gives, the window's the
// shape: box as it stands (GammaGen! sets it to the same): said when they
// differ, which is the header's only difference. Nothing while a box holds
// no number: the line copies the texts as they are.
std::optional<QString> headerShapeNote(const ParameterBoxes& boxes) {
    QString window, line;
    try {
        window = QString::number(boxes.shape.value(), 'f', 6);
        line = QString::number(
            StrToDouble(shapeTextForCv(
                            boxes.valueBox(*rowOfGeneratorEntry(GeneratorEntry::Cv)).value(), '.'),
                        '.'),
            'f', 6);
    } catch (const Error&) {
        return std::nullopt;
    }
    if (window == line) return std::nullopt;
    return QStringLiteral(
               "The file the command copied writes has the same records, but its "
               "header names the shape its CV gives (shape: %1), where the window's "
               "names the shape: box (shape: %2).")
        .arg(line, window);
}

}  // namespace

BatchActions::BatchActions(MainWindow& window, const BatchActionParts& parts)
    : window_(window),
      parts_(parts),
      saveDialog_(FileNameDialog::Mode::Save, QStringLiteral("csv")),
      batch_(
          {parts.state, parts.windowState, parts.boxes, parts.values, parts.run, window.pump(),
           parts.screen, window.StatusBar(), saveDialog_, window.dialogs(), &window, parts.entries,
           [&results = parts.results](const QString& progress) { results.showProgress(progress); }},
          window.ui()) {
    using Click = MainWindow::Click;
    const FormControls& ui = window.ui();
    window.onClick(ui.ReadMultipleButton, Click::StartsWork, [this] { ReadMultipleButtonClick(); });
    window.onClick(ui.StopButton, Click::Always, [this] { StopButtonClick(); });
    window.onClick(ui.All, Click::StartsWork, [this] { AllClick(); });
    window.onClick(ui.CopyCommandButton, Click::Always, [this] { CopyCommandButtonClick(); });
}

void BatchActions::AllClick() {
    const FormControls& ui = window_.ui();
    // Every box the batch reads is checked first: a refused value is shown
    // once, and the result file is left as it was.
    const std::uint64_t seed = batchSeed(ui.seedEdit->text());
    checkBatchBoxes(parts_.boxes, parts_.entries,
                    {.generated = true,
                     .segmentMode = ui.diffintervals->isChecked(),
                     .quantify = ui.quantify->isChecked()});
    // A continuous run, ticking or paused, ends before the batch takes over
    // the state: inside the batch stopRun leaves the buttons alone, so the
    // window would stay in the watched run's state after it.
    if (parts_.run.watching()) parts_.run.stopRun();
    EventPump::Scope loop(window_.pump());
    ParameterBoxes::KeepLastValid keep(parts_.boxes);
    batch_.runGenerated(seed);
    showBatchResults();
}

void BatchActions::ReadMultipleButtonClick() {
    FileNameDialog& open = parts_.openDialog;
    // A cancelled dialog, or no file of that name: nothing happens.
    if (!open.execute(window_.dialogs(), &window_) || !QFileInfo::exists(open.fileName())) return;
    checkBatchBoxes(parts_.boxes, parts_.entries, {});
    // As for "Process All!", a continuous run ends first.
    if (parts_.run.watching()) parts_.run.stopRun();
    EventPump::Scope loop(window_.pump());
    ParameterBoxes::KeepLastValid keep(parts_.boxes);
    batch_.replay(toStd(open.fileName()));
    showBatchResults();
}

void BatchActions::showBatchResults() {
    parts_.results.model().setBatch(batch_.points());
    parts_.runActions.showRunResults();
}

void BatchActions::StopButtonClick() {
    // A batch ends after the record being written; a run is Stop's own.
    if (parts_.run.batchRunning()) batch_.requestStop();
}

void BatchActions::CopyCommandButtonClick() {
    const FormControls& ui = window_.ui();
    // The typed seed, else the last batch's; none: the command's own clock.
    std::optional<std::uint64_t> seed = typedSeed(ui.seedEdit->text());
    if (!seed) seed = batch_.lastSeed();
    const QString output =
        saveDialog_.fileName().isEmpty() ? QStringLiteral("output.csv") : saveDialog_.fileName();
    QApplication::clipboard()->setText(batchCommandLine(ui, parts_.windowState.segments, seed,
                                                        QFileInfo(output).absoluteFilePath()));
    if (const std::optional<QString> note = headerShapeNote(parts_.boxes))
        window_.dialogs().showMessage(&window_, *note);
}

}  // namespace mirvok::ui
