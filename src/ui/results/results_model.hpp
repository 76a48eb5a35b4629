#pragma once

#include <QList>
#include <QObject>
#include <QPointF>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "ui/results/nice_axis.hpp"
#include "ui/results/results_data.hpp"

namespace mirvok::ui {

// The results view's data: fed ResultsData values, it prepares the points of
// every series of the three charts (a view hands each list to its series in
// one piece), and says what each chart holds as CSV.
class ResultsModel final : public QObject {
    Q_OBJECT
  public:
    enum class Chart { Batch, Intervals, LocalCvs };
    // The batch: q and score against the input CV, their means as lines.
    // The train: the histogram's outline and, as steps over its bins, the
    // counts the generator's gamma intervals should give.
    // The run: the local CVs and c0 as a line.
    enum class Series { Q, Score, MeanQ, MeanScore, Histogram, Expected, LocalCvs, C0 };
    static constexpr std::size_t kSeries = 8;
    static Chart chartOf(Series series);

    // A batch, whose runs replaced the input train.
    void setBatch(const std::vector<BatchPoint>& points);
    // A new input train (read, with why reading stopped early, if it did;
    // or generated): its intervals, with no run of it yet.
    void setTrain(const SimState& state, const std::string& note = {});
    // A run and its analysis's windows: the train's intervals and the local CVs.
    void setRun(const SimState& state, const LocalWindows& windows, double c0);
    const ResultsData& data() const { return data_; }

    const QList<QPointF>& points(Series series) const { return points_[index(series)]; }
    // Moves each time the series' points change, and only then: a view that
    // remembers it hands over nothing that it already shows.
    std::uint64_t revision(Series series) const { return revisions_[index(series)]; }

    // What an axis shows. Every quantity charted is at least 0, so an axis
    // starts at 0 (lower only to show a value below 0 that got there); it
    // ends a little above the largest value, to be rounded to a nice number
    // (exact: shown as it is).
    using AxisRange = ui::AxisRange;
    struct Axes {
        AxisRange x, y;
    };
    // The local CVs' time runs over the run, 0 to its `time`.
    Axes axes(Chart chart) const;

    // A chart with nothing to show says why instead of empty axes.
    bool empty(Chart chart) const;
    QString emptyText(Chart chart) const;
    QString csv(Chart chart) const;

  signals:
    // After a batch (Batch) or a run (Intervals, LocalCvs), changed or not.
    void changed(mirvok::ui::ResultsModel::Chart chart);

  private:
    static std::size_t index(Series series) { return static_cast<std::size_t>(series); }
    void setPoints(Series series, QList<QPointF> points);

    ResultsData data_;
    std::array<QList<QPointF>, kSeries> points_;
    std::array<std::uint64_t, kSeries> revisions_{};
};

}  // namespace mirvok::ui
