// "results...", "copy command", what feeds the results view, and sweeps.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>

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

void TForm1::CopyCommandButtonClick() {
    // The typed seed, else the last batch's; none: the command's own clock.
    std::optional<std::uint64_t> seed = typedSeed(ui_.seedEdit->text());
    if (!seed) seed = batch_.lastSeed();
    const QString output =
        saveDialog_.fileName().isEmpty() ? QStringLiteral("output.csv") : saveDialog_.fileName();
    QApplication::clipboard()->setText(
        batchCommandLine(ui_, seed, QFileInfo(output).absoluteFilePath()));
    if (ui_.diffintervals->isChecked() && !state_.segBounds.empty())
        dialogs_.showMessage(this, QStringLiteral("The command copied draws one train for the "
                                                  "whole run: the intervals defined for "
                                                  "\"different intervals\" are not part of it."));
}

}  // namespace mirvok::ui
