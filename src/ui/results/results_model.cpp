#include "ui/results/results_model.hpp"

#include <algorithm>

#include "text/number_format.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {
namespace {

// A horizontal line at y over [from, to].
QList<QPointF> level(double y, double from, double to) {
    return {{from, y}, {to, y}};
}

// The bins as a closed outline: up and across each bin, down at the end.
QList<QPointF> outline(const IntervalHistogram& h) {
    QList<QPointF> points;
    if (h.counts.empty()) return points;
    points.reserve(static_cast<qsizetype>(2 * h.counts.size() + 2));
    double x = h.from;
    points.append({x, 0.0});
    for (double count : h.counts) {
        points.append({x, count});
        x += h.binWidth;
        points.append({x, count});
    }
    points.append({x, 0.0});
    return points;
}

QList<QPointF> pointsOf(const std::vector<XY>& xy) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(xy.size()));
    for (const XY& p : xy) points.append({p.x, p.y});
    return points;
}

// Exactly equal: QPointF's own == forgives small differences.
bool samePoints(const QList<QPointF>& a, const QList<QPointF>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](QPointF p, QPointF q) { return p.x() == q.x() && p.y() == q.y(); });
}

QString number(double value) {
    return toQt(FloatToStr(value, '.'));
}

}  // namespace

ResultsModel::Chart ResultsModel::chartOf(Series series) {
    switch (series) {
        case Series::Q:
        case Series::Score:
        case Series::MeanQ:
        case Series::MeanScore:
            return Chart::Batch;
        case Series::Histogram:
        case Series::Density:
            return Chart::Intervals;
        case Series::LocalCvs:
        case Series::C0:
            break;
    }
    return Chart::LocalCvs;
}

void ResultsModel::setPoints(Series series, QList<QPointF> points) {
    QList<QPointF>& held = points_[index(series)];
    if (samePoints(held, points)) return;
    held = std::move(points);
    ++revisions_[index(series)];
}

void ResultsModel::setBatch(const std::vector<BatchPoint>& points) {
    setBatchResults(data_, points);
    QList<QPointF> qs, scores;
    qs.reserve(static_cast<qsizetype>(data_.batch.size()));
    scores.reserve(qs.capacity());
    double low = 0.0, high = 0.0;
    for (const BatchPoint& p : data_.batch) {
        qs.append({p.inputCv, p.q});
        scores.append({p.inputCv, p.score});
        low = qs.size() == 1 ? p.inputCv : std::min(low, p.inputCv);
        high = qs.size() == 1 ? p.inputCv : std::max(high, p.inputCv);
    }
    setPoints(Series::Q, std::move(qs));
    setPoints(Series::Score, std::move(scores));
    const bool none = data_.batch.empty();
    setPoints(Series::MeanQ, none ? QList<QPointF>{} : level(data_.meanQ, low, high));
    setPoints(Series::MeanScore, none ? QList<QPointF>{} : level(data_.meanScore, low, high));
    emit changed(Chart::Batch);
}

void ResultsModel::setRun(const SimState& state, double c0Value) {
    setRunResults(data_, state, c0Value);
    setPoints(Series::Histogram, outline(data_.intervals));
    setPoints(Series::Density, pointsOf(data_.density));
    setPoints(Series::LocalCvs, pointsOf(data_.localCvs));
    const double end = 0.5 * state.Nsteps;
    setPoints(Series::C0, data_.localCvs.empty() ? QList<QPointF>{} : level(c0Value, 0.0, end));
    emit changed(Chart::Intervals);
    emit changed(Chart::LocalCvs);
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
