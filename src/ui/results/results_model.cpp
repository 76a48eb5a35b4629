#include "ui/results/results_model.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/number_format.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {
namespace {

// A horizontal line at y over [from, to].
QList<QPointF> level(double y, double from, double to) {
    return {{from, y}, {to, y}};
}

// A value per bin as steps: across each bin at its value.
QList<QPointF> steps(const IntervalHistogram& h, const std::vector<double>& values) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(2 * values.size() + 2));
    for (std::size_t i = 0; i < values.size(); ++i) {
        points.append({binEdgeMs(h, i), values[i]});
        points.append({binEdgeMs(h, i + 1), values[i]});
    }
    return points;
}

// The bins as a closed outline: up and across each bin, down at the end.
QList<QPointF> outline(const IntervalHistogram& h) {
    QList<QPointF> points = steps(h, h.counts);
    if (points.empty()) return points;
    points.prepend({points.front().x(), 0.0});
    points.append({points.back().x(), 0.0});
    return points;
}

// From 0, or the lowest value if below, to the highest value and a little
// more; never empty.
ResultsModel::AxisRange fromZero(double lowest, double highest) {
    const double low = std::min(0.0, lowest);
    const double high = std::max(low, highest);
    const double pad = high > low ? (high - low) * 0.05 : std::max(std::abs(low) * 0.05, 0.01);
    return {low, high + pad, false};
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
        case Series::Expected:
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
    // A batch's runs replace the input train: a note on a file read is gone.
    data_.trainNote.clear();
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

void ResultsModel::setTrain(const SimState& state, const std::string& note) {
    setTrainResults(data_, state);
    data_.trainNote = note;
    setPoints(Series::Histogram, outline(data_.intervals));
    setPoints(Series::Expected, steps(data_.intervals, data_.expected));
    emit changed(Chart::Intervals);
}

void ResultsModel::setRun(const SimState& state, const LocalWindows& windows, double c0Value) {
    setRunResults(data_, state, windows, c0Value);
    setPoints(Series::Histogram, outline(data_.intervals));
    setPoints(Series::Expected, steps(data_.intervals, data_.expected));
    setPoints(Series::LocalCvs, pointsOf(data_.localCvs));
    setPoints(Series::C0,
              data_.localCvs.empty() ? QList<QPointF>{} : level(c0Value, 0.0, data_.runMs));
    emit changed(Chart::Intervals);
    emit changed(Chart::LocalCvs);
}

ResultsModel::Axes ResultsModel::axes(Chart chart) const {
    constexpr double kHuge = std::numeric_limits<double>::max();
    double x0 = kHuge, x1 = -kHuge, y0 = kHuge, y1 = -kHuge;
    for (std::size_t s = 0; s < kSeries; ++s) {
        if (chartOf(static_cast<Series>(s)) != chart) continue;
        for (const QPointF& p : points_[s]) {
            x0 = std::min(x0, p.x());
            x1 = std::max(x1, p.x());
            y0 = std::min(y0, p.y());
            y1 = std::max(y1, p.y());
        }
    }
    if (x0 > x1) return {};
    Axes axes{fromZero(x0, x1), fromZero(y0, y1)};
    if (chart == Chart::LocalCvs && data_.runMs > 0.0) axes.x = {0.0, data_.runMs, true};
    return axes;
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
            const IntervalHistogram& h = data_.intervals;
            const bool expected = !data_.expected.empty();
            text = QStringLiteral("interval_ms_from,interval_ms_to,count") +
                   (expected ? QStringLiteral(",expected\n") : QStringLiteral("\n"));
            for (std::size_t i = 0; i < h.counts.size(); ++i) {
                text += number(binEdgeMs(h, i)) + ',' + number(binEdgeMs(h, i + 1)) + ',' +
                        number(h.counts[i]);
                text += expected ? ',' + number(data_.expected[i]) + '\n' : QString('\n');
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
