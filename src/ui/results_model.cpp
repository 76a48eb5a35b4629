#include "ui/results_model.hpp"

#include <algorithm>

#include "text/number_format.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {
namespace {

// A horizontal line at y over [from, to].
std::vector<XY> level(double y, double from, double to) {
    return {{from, y}, {to, y}};
}

// The bins as a closed outline: up and across each bin, down at the end.
std::vector<XY> outline(const IntervalHistogram& h) {
    std::vector<XY> points;
    if (h.counts.empty()) return points;
    double x = h.from;
    points.push_back({x, 0.0});
    for (double count : h.counts) {
        points.push_back({x, count});
        x += h.binWidth;
        points.push_back({x, count});
    }
    points.push_back({x, 0.0});
    return points;
}

QString number(double value) {
    return toQt(FloatToStr(value, '.'));
}

}  // namespace

int SeriesTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(points_.size());
}

int SeriesTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant SeriesTable::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    const XY& p = points_[static_cast<std::size_t>(index.row())];
    return index.column() == 0 ? p.x : p.y;
}

void SeriesTable::setPoints(std::vector<XY> points) {
    beginResetModel();
    points_ = std::move(points);
    endResetModel();
}

void ResultsModel::setBatch(const std::vector<BatchPoint>& points) {
    setBatchResults(data_, points);
    std::vector<XY> qs, scores;
    double low = 0.0, high = 0.0;
    for (const BatchPoint& p : data_.batch) {
        qs.push_back({p.inputCv, p.q});
        scores.push_back({p.inputCv, p.score});
        low = qs.size() == 1 ? p.inputCv : std::min(low, p.inputCv);
        high = qs.size() == 1 ? p.inputCv : std::max(high, p.inputCv);
    }
    q.setPoints(std::move(qs));
    score.setPoints(std::move(scores));
    const bool none = data_.batch.empty();
    meanQ.setPoints(none ? std::vector<XY>{} : level(data_.meanQ, low, high));
    meanScore.setPoints(none ? std::vector<XY>{} : level(data_.meanScore, low, high));
    emit changed();
}

void ResultsModel::setRun(const SimState& state, double c0Value) {
    setRunResults(data_, state, c0Value);
    histogram.setPoints(outline(data_.intervals));
    density.setPoints(data_.density);
    localCvs.setPoints(data_.localCvs);
    const double end = 0.5 * state.Nsteps;
    c0.setPoints(data_.localCvs.empty() ? std::vector<XY>{} : level(c0Value, 0.0, end));
    emit changed();
}

bool ResultsModel::empty(Chart chart) const {
    switch (chart) {
        case Chart::Batch:
            return data_.batch.empty();
        case Chart::Intervals:
            return data_.intervals.counts.empty();
        case Chart::LocalCvs:
            return data_.localCvs.empty();
    }
    return true;
}

QString ResultsModel::emptyText(Chart chart) const {
    switch (chart) {
        case Chart::Batch:
            return QStringLiteral(
                "No batch yet: Process All! or ReadMulti... shows its records here");
        case Chart::Intervals:
            return QStringLiteral("No input train yet, or fewer than two spikes");
        case Chart::LocalCvs:
            return QStringLiteral(
                "No run yet with a local window: Count! shows its local CVs here");
    }
    return {};
}

QString ResultsModel::csv(Chart chart) const {
    QString text;
    switch (chart) {
        case Chart::Batch:
            text = QStringLiteral("input_cv,q,score\n");
            for (const BatchPoint& p : data_.batch)
                text += number(p.inputCv) + ',' + number(p.q) + ',' + number(p.score) + '\n';
            break;
        case Chart::Intervals: {
            text = QStringLiteral("interval_ms_from,interval_ms_to,count\n");
            const IntervalHistogram& h = data_.intervals;
            for (std::size_t i = 0; i < h.counts.size(); ++i) {
                const double from = h.from + h.binWidth * static_cast<double>(i);
                text += number(from) + ',' + number(from + h.binWidth) + ',' + number(h.counts[i]) +
                        '\n';
            }
            break;
        }
        case Chart::LocalCvs:
            text = QStringLiteral("time_ms,local_cv\n");
            for (const XY& p : data_.localCvs) text += number(p.x) + ',' + number(p.y) + '\n';
            break;
    }
    return text;
}

}  // namespace mirvok::ui
