#pragma once

#include <QAbstractTableModel>
#include <QObject>
#include <QString>
#include <vector>

#include "ui/results_data.hpp"

namespace mirvok::ui {

// Points (x, y) as a two-column table, for a chart series to be bound to.
class SeriesTable final : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    void setPoints(std::vector<XY> points);
    const std::vector<XY>& points() const { return points_; }

  private:
    std::vector<XY> points_;
};

// The results view's data: fed ResultsData values, it keeps one table per
// series of the three charts, and says what each chart holds as CSV.
class ResultsModel final : public QObject {
    Q_OBJECT
  public:
    enum class Chart { Batch, Intervals, LocalCvs };

    void setBatch(const std::vector<BatchPoint>& points);
    void setRun(const SimState& state, double c0);
    const ResultsData& data() const { return data_; }

    // A chart with nothing to show says why instead of empty axes.
    bool empty(Chart chart) const;
    QString emptyText(Chart chart) const;
    QString csv(Chart chart) const;

    // The batch: q and score against the input CV, their means as lines.
    SeriesTable q, score, meanQ, meanScore;
    // The train: the histogram's outline and the generator's density.
    SeriesTable histogram, density;
    // The run: the local CVs and c0 as a line.
    SeriesTable localCvs, c0;

  signals:
    // After every change: charts rescale their axes.
    void changed();

  private:
    ResultsData data_;
};

}  // namespace mirvok::ui
