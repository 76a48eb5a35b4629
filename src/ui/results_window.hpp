#pragma once

#include <QString>
#include <QWidget>
#include <array>

#include "ui/results_model.hpp"

class QChart;
class QChartView;
class QValueAxis;

namespace mirvok::ui {

class Dialogs;

// "Mirvok results": a non-modal window with the three charts of a
// ResultsModel, each bound to the model's tables and redrawn when the model
// changes, with "Save image..." (PNG, or SVG by the name's suffix) and
// "Copy CSV" beside each. It knows the model and the dialogs only.
class ResultsWindow final : public QWidget {
    Q_OBJECT
  public:
    using Chart = ResultsModel::Chart;

    ResultsWindow(const ResultsModel& model, Dialogs& dialogs, QWidget* parent = nullptr);

    // Writes the chart to path (beside it, then renamed into place); a
    // failure is shown once, naming the path, and returns false.
    bool saveImage(Chart chart, const QString& path);
    QChartView* view(Chart chart) const { return panels_[index(chart)].view; }

  private:
    struct Panel {
        QChartView* view = nullptr;
        QValueAxis* x = nullptr;
        QValueAxis* y = nullptr;
        QString title;
    };
    static std::size_t index(Chart chart) { return static_cast<std::size_t>(chart); }

    QWidget* makePanel(Chart chart, const QString& title, const QString& xTitle,
                       const QString& yTitle);
    void bindSeries();
    void refresh();
    void askAndSave(Chart chart);

    const ResultsModel& model_;
    Dialogs& dialogs_;
    std::array<Panel, 3> panels_;
};

}  // namespace mirvok::ui
