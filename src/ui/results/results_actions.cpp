#include "ui/results/results_actions.hpp"

#include <QPushButton>
#include <utility>

#include "ui/window/main_window.hpp"

namespace mirvok::ui {

ResultsActions::ResultsActions(MainWindow& window, ResultsWindow::OpenSweep openSweep)
    : window_(window), openSweep_(std::move(openSweep)) {
    window_.onClick(window_.ui().ResultsButton, MainWindow::Click::Always,
                    [this] { ResultsButtonClick(); });
}

ResultsWindow& ResultsActions::resultsWindow() {
    if (!resultsWindow_) {
        resultsWindow_ = new ResultsWindow(model_, window_.dialogs(), &window_, openSweep_);
        resultsWindow_->showProgress(progress_);
    }
    return *resultsWindow_;
}

void ResultsActions::showProgress(const QString& progress) {
    progress_ = progress;
    if (resultsWindow_) resultsWindow_->showProgress(progress);
}

void ResultsActions::ResultsButtonClick() {
    ResultsWindow& shown = resultsWindow();
    shown.show();
    shown.raise();
    shown.activateWindow();
}

}  // namespace mirvok::ui
