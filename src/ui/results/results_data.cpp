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
    // Two passes over the spikes, the range and then the counts: a long
    // train's intervals are never held all at once.
    const auto interval = [&](std::size_t i) {
        return static_cast<long long>(spikeSteps[i]) - spikeSteps[i - 1];
    };
    long long low = interval(1), high = low;
    for (std::size_t i = 2; i < spikeSteps.size(); ++i) {
        low = std::min(low, interval(i));
        high = std::max(high, interval(i));
    }
    const std::size_t n = spikeSteps.size() - 1;
    const auto bins = static_cast<long long>(
        std::clamp<double>(std::ceil(std::sqrt(static_cast<double>(n))), 1.0, kMaxBins));
    const long long width = std::max(1LL, (high - low + bins) / bins);
    const long long first = floorDiv(low, width) * width;
    h.firstStep = static_cast<int>(first);
    h.stepsPerBin = static_cast<int>(width);
    h.counts.assign(static_cast<std::size_t>((high - first) / width + 1), 0.0);
    for (std::size_t i = 1; i < spikeSteps.size(); ++i)
        h.counts[static_cast<std::size_t>((interval(i) - first) / width)] += 1.0;
    h.intervals = n;
    return h;
}

double binEdgeMs(const IntervalHistogram& h, std::size_t edge) {
    const double step =
        h.firstStep + static_cast<double>(h.stepsPerBin) * static_cast<double>(edge);
    return std::max(0.0, kMsPerStep * (step - 0.5));
}

std::vector<XY> localCvSeries(const LocalWindows& windows, const std::vector<int>& spikeSteps,
                              double runMs) {
    std::vector<XY> series;
    const std::vector<double>& values = windows.values;
    // A train replaced since its analysis leaves nothing to chart.
    if (windows.firstSpike + values.size() > spikeSteps.size()) return series;
    const auto at = [&](std::size_t w) {
        return XY{kMsPerStep * spikeSteps[windows.firstSpike + w], values[w]};
    };
    if (values.size() <= 2 * kLocalCvBins) {
        for (std::size_t w = 0; w < values.size(); ++w) series.push_back(at(w));
        return series;
    }
    // The spikes come in time order, so each span's windows follow each
    // other: of each, its lowest and its highest, in their order.
    const double perMs = runMs > 0.0 ? static_cast<double>(kLocalCvBins) / runMs : 0.0;
    const auto span = [&](std::size_t w) {
        const double t = at(w).x * perMs;
        return t > 0.0 ? static_cast<long long>(std::min(t, 1e15)) : 0LL;
    };
    series.reserve(2 * kLocalCvBins + 2);
    for (std::size_t from = 0; from < values.size();) {
        const long long bin = span(from);
        std::size_t low = from, high = from, w = from + 1;
        for (; w < values.size() && span(w) == bin; ++w) {
            if (values[w] < values[low]) low = w;
            if (values[w] > values[high]) high = w;
        }
        series.push_back(at(std::min(low, high)));
        if (low != high) series.push_back(at(std::max(low, high)));
        from = w;
    }
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

void setTrainResults(ResultsData& data, const SimState& state) {
    data.intervals = intervalHistogram(state.inSpikeSteps);
    data.expected = expectedCounts(data.intervals, state.trainMeanMs, state.trainShape);
}

void setRunResults(ResultsData& data, const SimState& state, const LocalWindows& windows,
                   double c0) {
    setTrainResults(data, state);
    data.runMs = kMsPerStep * state.Nsteps;
    data.localCvs = localCvSeries(windows, state.inSpikeSteps, data.runMs);
    data.localWindows = data.localCvs.empty() ? 0 : windows.values.size();
    data.c0 = c0;
}

}  // namespace mirvok::ui
