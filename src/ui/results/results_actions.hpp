#pragma once

#include <QString>

#include "ui/results/results_model.hpp"
#include "ui/results/results_window.hpp"

namespace mirvok::ui {

class MainWindow;

// "results...": the results window over the model of what it shows (the
// last batch, the input train, the run), made at the first click. The
// batch's progress is kept for it until then. The window offers "Open
// sweep..." through openSweep.
class ResultsActions {
  public:
    ResultsActions(MainWindow& window, ResultsWindow::OpenSweep openSweep);
    ResultsActions(const ResultsActions&) = delete;
    ResultsActions& operator=(const ResultsActions&) = delete;

    ResultsModel& model() { return model_; }
    const ResultsModel& model() const { return model_; }
    // The results window, made now if it was not yet.
    ResultsWindow& resultsWindow();
    // The progress of the running or last batch.
    void showProgress(const QString& progress);

  private:
    void ResultsButtonClick();

    MainWindow& window_;
    ResultsWindow::OpenSweep openSweep_;
    ResultsModel model_;
    ResultsWindow* resultsWindow_ = nullptr;
    QString progress_;
};

}  // namespace mirvok::ui
