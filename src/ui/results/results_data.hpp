#pragma once

#include <cstddef>
#include <vector>

#include "model/sim_state.hpp"

namespace mirvok::ui {

// One record of a batch as the results view plots it.
struct BatchPoint {
    double inputCv = 0.0;  // the CV of the record's input intervals
    double q = 0.0;        // transmission ratio
    double score = 0.0;    // the run's overall score
};

struct XY {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const XY&) const = default;
};

// The intervals of a train counted in bins of equal width, in ms.
struct IntervalHistogram {
    double from = 0.0;      // left edge of the first bin
    double binWidth = 0.0;  // 0: no interval
    std::vector<double> counts;
    std::size_t intervals = 0;
};

// What the results view shows, as plain values.
struct ResultsData {
    // The last batch: every record, or an even sample of a large batch.
    std::vector<BatchPoint> batch;
    int batchRuns = 0;  // all its records
    double meanQ = 0.0;
    double meanScore = 0.0;
    // The current input train, and the gamma density it was drawn from
    // (scaled to the counts) when it was generated in one piece.
    IntervalHistogram intervals;
    std::vector<XY> density;
    // The current run: (ms, local CV) at the spike that ends each window.
    std::vector<XY> localCvs;
    double c0 = 0.0;
};

// At most about `atMost` of the points, evenly spread, in their order.
std::vector<BatchPoint> thinnedPoints(const std::vector<BatchPoint>& points,
                                      std::size_t atMost = 10000);

// The intervals between consecutive spikes (steps of 0.5 ms), about
// sqrt(n) bins between the shortest and the longest, at most 60.
IntervalHistogram intervalHistogram(const std::vector<int>& spikeSteps);

// The gamma density of mean meanMs and this shape over the histogram's
// range, as counts per bin: n * binWidth * density.
std::vector<XY> gammaDensity(double meanMs, double shape, const IntervalHistogram& histogram);

// The local CVs of the state's analysis at their spikes' times in ms.
std::vector<XY> localCvSeries(const SimState& state);

// The batch part and the run part of the results.
void setBatchResults(ResultsData& data, const std::vector<BatchPoint>& points);
void setRunResults(ResultsData& data, const SimState& state, double c0);

}  // namespace mirvok::ui
