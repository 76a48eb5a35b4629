#include "ui/results/results_data.hpp"

#include <algorithm>
#include <cmath>

namespace mirvok::ui {

namespace {
constexpr double kMsPerStep = 0.5;
constexpr std::size_t kMaxBins = 60;
constexpr int kDensityPoints = 200;
}  // namespace

std::vector<BatchPoint> thinnedPoints(const std::vector<BatchPoint>& points, std::size_t atMost) {
    if (points.size() <= atMost || atMost == 0) return points;
    const std::size_t stride = (points.size() + atMost - 1) / atMost;
    std::vector<BatchPoint> kept;
    kept.reserve(points.size() / stride + 1);
    for (std::size_t i = 0; i < points.size(); i += stride) kept.push_back(points[i]);
    return kept;
}

IntervalHistogram intervalHistogram(const std::vector<int>& spikeSteps) {
    IntervalHistogram h;
    if (spikeSteps.size() < 2) return h;
    std::vector<double> ms;
    ms.reserve(spikeSteps.size() - 1);
    for (std::size_t i = 1; i < spikeSteps.size(); ++i)
        ms.push_back(kMsPerStep * (spikeSteps[i] - spikeSteps[i - 1]));
    const auto [low, high] = std::minmax_element(ms.begin(), ms.end());
    const std::size_t bins = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(ms.size())))), 1,
        kMaxBins);
    // Intervals are whole half milliseconds: a bin is never narrower.
    h.binWidth = std::max(kMsPerStep, (*high - *low) / static_cast<double>(bins));
    h.from = *low - h.binWidth / 2;
    h.counts.assign(static_cast<std::size_t>(std::floor((*high - h.from) / h.binWidth)) + 1, 0.0);
    for (double v : ms) h.counts[static_cast<std::size_t>((v - h.from) / h.binWidth)] += 1.0;
    h.intervals = ms.size();
    return h;
}

std::vector<XY> gammaDensity(double meanMs, double shape, const IntervalHistogram& h) {
    std::vector<XY> curve;
    if (!(meanMs > 0.0) || !(shape > 0.0) || h.binWidth <= 0.0) return curve;
    const double scale = meanMs / shape;
    const double logNorm = std::lgamma(shape) + shape * std::log(scale);
    const double to = h.from + h.binWidth * static_cast<double>(h.counts.size());
    const double perBin = static_cast<double>(h.intervals) * h.binWidth;
    for (int i = 0; i <= kDensityPoints; ++i) {
        const double x = h.from + (to - h.from) * i / kDensityPoints;
        if (x <= 0.0) continue;
        const double logPdf = (shape - 1.0) * std::log(x) - x / scale - logNorm;
        curve.push_back({x, perBin * std::exp(logPdf)});
    }
    return curve;
}

std::vector<XY> localCvSeries(const SimState& s) {
    std::vector<XY> series;
    // A run too short for a window leaves the previous lengths behind.
    if (s.spikeVari.size() != s.inSpikeSteps.size()) return series;
    for (std::size_t e = 0; e < s.spikeVari.size(); ++e)
        if (s.spikeVari[e] != 0.0)
            series.push_back({kMsPerStep * s.inSpikeSteps[e], s.spikeVari[e]});
    return series;
}

void setBatchResults(ResultsData& data, const std::vector<BatchPoint>& points) {
    data.batch = thinnedPoints(points);
    data.batchRuns = static_cast<int>(points.size());
    double q = 0.0;
    double score = 0.0;
    for (const BatchPoint& p : points) {
        q += p.q;
        score += p.score;
    }
    const double n = points.empty() ? 1.0 : static_cast<double>(points.size());
    data.meanQ = q / n;
    data.meanScore = score / n;
}

void setRunResults(ResultsData& data, const SimState& state, double c0) {
    data.intervals = intervalHistogram(state.inSpikeSteps);
    data.density = gammaDensity(state.trainMeanMs, state.trainShape, data.intervals);
    data.localCvs = localCvSeries(state);
    data.c0 = c0;
}

}  // namespace mirvok::ui
