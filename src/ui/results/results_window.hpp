#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>

#include "ui/results/results_model.hpp"

class QAbstractSeries;
class QChart;
class QLabel;
class QChartView;
class QValueAxis;
class QXYSeries;

namespace mirvok::ui {

class Dialogs;
class VerifyRow;

// "Mirvok results": a non-modal window with the three charts of a
// ResultsModel, with "Save image..." (PNG, or SVG by the name's suffix) and
// "Copy CSV" beside each, and "Verify..." for a result file. It knows the
// model and the dialogs only.
//
// A series gets the model's points in one piece, and only when they changed
// since it last got them; a hidden window (closing it only hides it) takes
// nothing until it is shown again, so a batch or a Count! costs the main
// window nothing here while the results are not on screen.
class ResultsWindow final : public QWidget {
    Q_OBJECT
  public:
    using Chart = ResultsModel::Chart;
    using Series = ResultsModel::Series;

    // Opens the sweep browser of a folder over the window given, or says
    // why there is none: the one who makes the results window knows how.
    using OpenSweep = std::function<void(const QString& folder, QWidget* over)>;

    // "Open sweep..." is offered when sweepOpener is given.
    ResultsWindow(const ResultsModel& model, Dialogs& dialogs, QWidget* parent = nullptr,
                  OpenSweep sweepOpener = {});

    // Writes the chart to path (beside it, then renamed into place); a
    // failure is shown once, naming the path, and returns false.
    bool saveImage(Chart chart, const QString& path);
    QChartView* view(Chart chart) const { return panels_[index(chart)].view; }
    QXYSeries* series(Series series) const { return series_[index(series)]; }

    // The sweep browser of a folder, or a message saying why there is none.
    void openSweep(const QString& folder) { openSweep_(folder, this); }
    // Only the chart's panel, under this title: for a batch scatter of its own.
    void showOnly(Chart chart, const QString& title);

    // The progress of the batch running or last run, above the charts
    // (hidden while empty).
    void showProgress(const QString& text);
    QString progress() const;

    // "Verify..." with what it says (verify_row.hpp).
    VerifyRow* verifyRow() const { return verify_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    struct Panel {
        QChartView* view = nullptr;
        QValueAxis* x = nullptr;
        QValueAxis* y = nullptr;
        QString title;
    };
    static std::size_t index(Chart chart) { return static_cast<std::size_t>(chart); }
    static std::size_t index(Series series) { return static_cast<std::size_t>(series); }

    QWidget* makePanel(Chart chart, const QString& title, const QString& xTitle,
                       const QString& yTitle);
    // made holds the points; shownAs, if given, is what the chart draws of them.
    void addSeries(Series series, QXYSeries* made, const QString& name, const QColor& colour,
                   QAbstractSeries* shownAs = nullptr);
    void makeSeries();
    // Brings the chart up to date: its title, its axes, the changed series.
    void refresh(Chart chart);
    // The chart's title with what it counts, and a note on the train.
    QString titleOf(Chart chart) const;
    void askAndSave(Chart chart);

    const ResultsModel& model_;
    Dialogs& dialogs_;
    QLabel* progress_ = nullptr;
    VerifyRow* verify_ = nullptr;
    OpenSweep openSweep_;
    QWidget* openSweepButton_ = nullptr;
    std::array<Panel, 3> panels_;
    std::array<QXYSeries*, ResultsModel::kSeries> series_{};
    std::array<std::uint64_t, ResultsModel::kSeries> handed_{};  // the model's revisions
};

}  // namespace mirvok::ui
