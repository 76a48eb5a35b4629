// "results...", "copy command", what feeds the results view, and sweeps.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringList>
#include <optional>

#include "base/errors.hpp"
#include "text/number_parse.hpp"
#include "trains/gamma_generator.hpp"
#include "ui/batch/batch_command_line.hpp"
#include "ui/batch/batch_seed.hpp"
#include "ui/dialogs/dialogs.hpp"
#include "ui/results/results_window.hpp"
#include "ui/tform1.hpp"

namespace mirvok::ui {

void TForm1::showRunResults() {
    // A c0 box being edited leaves the chart without its line, not failed.
    double c0 = 0.0;
    try {
        c0 = boxes_.c0.value();
    } catch (const Error&) {
    }
    results_.setRun(state_, variList_.windows(), c0);
}

ResultsWindow& TForm1::resultsWindow() {
    if (!resultsWindow_) {
        resultsWindow_ = new ResultsWindow(results_, dialogs_, this);
        resultsWindow_->showProgress(batch_.progress());
    }
    return *resultsWindow_;
}

void TForm1::ResultsButtonClick() {
    resultsWindow().show();
    resultsWindow_->raise();
    resultsWindow_->activateWindow();
}

void TForm1::openSweep(const QString& folder) {
    resultsWindow().openSweep(folder);
}

namespace {

// The command line's header names the shape its CV gives, the window's the
// shape: box as it stands (GammaGen! sets it to the same): said when they
// differ, which is the header's only difference. Nothing while a box holds
// no number: the line copies the texts as they are.
std::optional<QString> headerShapeNote(const ParameterBoxes& boxes) {
    QString window, line;
    try {
        window = QString::number(boxes.shape.value(), 'f', 6);
        line = QString::number(StrToDouble(shapeTextForCv(boxes.cv.value(), '.'), '.'), 'f', 6);
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

void TForm1::CopyCommandButtonClick() {
    // The typed seed, else the last batch's; none: the command's own clock.
    std::optional<std::uint64_t> seed = typedSeed(ui_.seedEdit->text());
    if (!seed) seed = batch_.lastSeed();
    const QString output =
        saveDialog_.fileName().isEmpty() ? QStringLiteral("output.csv") : saveDialog_.fileName();
    QApplication::clipboard()->setText(
        batchCommandLine(ui_, seed, QFileInfo(output).absoluteFilePath()));
    QStringList notes;
    if (ui_.diffintervals->isChecked() && !state_.segBounds.empty())
        notes << QStringLiteral(
            "The command copied draws one train for the whole run: the "
            "intervals defined for \"different intervals\" are not part of it.");
    if (const std::optional<QString> note = headerShapeNote(boxes_)) notes << *note;
    if (!notes.isEmpty()) dialogs_.showMessage(this, notes.join(QLatin1Char(' ')));
}

}  // namespace mirvok::ui
