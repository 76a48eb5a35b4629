#include "ui/results/results_data.hpp"

#include <algorithm>
#include <cmath>

#include "ui/results/interval_law.hpp"

namespace mirvok::ui {

namespace {
constexpr double kMsPerStep = 0.5;
constexpr double kMaxBins = 60.0;

// Rounds towards minus infinity, so that a bin never starts above its values.
long long floorDiv(long long a, long long b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

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
    std::vector<long long> steps;
    steps.reserve(spikeSteps.size() - 1);
    for (std::size_t i = 1; i < spikeSteps.size(); ++i)
        steps.push_back(static_cast<long long>(spikeSteps[i]) - spikeSteps[i - 1]);
    const auto [low, high] = std::minmax_element(steps.begin(), steps.end());
    const auto bins = static_cast<long long>(
        std::clamp<double>(std::ceil(std::sqrt(static_cast<double>(steps.size()))), 1.0, kMaxBins));
    const long long width = std::max(1LL, (*high - *low + bins) / bins);
    const long long first = floorDiv(*low, width) * width;
    h.firstStep = static_cast<int>(first);
    h.stepsPerBin = static_cast<int>(width);
    h.counts.assign(static_cast<std::size_t>((*high - first) / width + 1), 0.0);
    for (long long v : steps) h.counts[static_cast<std::size_t>((v - first) / width)] += 1.0;
    h.intervals = steps.size();
    return h;
}

double binEdgeMs(const IntervalHistogram& h, std::size_t edge) {
    const double step =
        h.firstStep + static_cast<double>(h.stepsPerBin) * static_cast<double>(edge);
    return std::max(0.0, kMsPerStep * (step - 0.5));
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
    data.expected = expectedCounts(data.intervals, state.trainMeanMs, state.trainShape);
    data.localCvs = localCvSeries(state);
    data.c0 = c0;
    data.runMs = kMsPerStep * state.Nsteps;
}

}  // namespace mirvok::ui
