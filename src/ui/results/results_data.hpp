#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/sim_state.hpp"

namespace mirvok::ui {

// One record of a batch as the results view plots it.
struct BatchPoint {
    double inputCv = 0.0;  // the CV of the record's input intervals
    double q = 0.0;        // transmission ratio
    double score = 0.0;    // the run's overall score
};

// The local windows of an analysis: the local CV of every window, the
// first ending at input spike firstSpike (counted from 0), the next ones at
// the spikes after it.
struct LocalWindows {
    std::size_t firstSpike = 0;
    std::vector<double> values;
};

struct XY {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const XY&) const = default;
};

// The intervals of a train, whole steps of 0.5 ms, counted in bins that
// each hold the same number of steps.
struct IntervalHistogram {
    int firstStep = 0;    // the shortest interval the first bin holds, in steps
    int stepsPerBin = 0;  // 0: no interval
    std::vector<double> counts;
    std::size_t intervals = 0;
};

// Edge `edge` (0 to counts.size()) of the bins in ms: half a step below the
// shortest interval of the bin it opens, so that an interval lies in the
// middle of its step's room, and never below 0 (the room of 0 steps,
// intervals of two spikes on one step, starts at 0).
double binEdgeMs(const IntervalHistogram& histogram, std::size_t edge);

// What the results view shows, as plain values.
struct ResultsData {
    // The last batch: every record, or an even sample of a large batch.
    std::vector<BatchPoint> batch;
    int batchRuns = 0;  // all its records
    double meanQ = 0.0;
    double meanScore = 0.0;
    // The current input train, and the count each bin should hold by the
    // gamma intervals it was drawn from, when it was generated in one piece.
    IntervalHistogram intervals;
    std::vector<double> expected;
    // Why reading the current train's file stopped early; empty otherwise.
    std::string trainNote;
    // The current run: (ms, local CV) at the spike that ends each window,
    // every window or, of a long run, the lowest and highest of each of
    // kLocalCvBins spans of its time; and the number of its windows.
    std::vector<XY> localCvs;
    std::size_t localWindows = 0;
    double c0 = 0.0;
    double runMs = 0.0;
};

// At most about `atMost` of the points, evenly spread, in their order.
std::vector<BatchPoint> thinnedPoints(const std::vector<BatchPoint>& points,
                                      std::size_t atMost = 10000);

// The intervals between consecutive spikes in about sqrt(n) bins (at most
// 60 wide enough for all), from the shortest to the longest; a bin holds at
// least one step, and the first starts at a multiple of the bins' width, so
// that the same width gives the same edges from run to run.
IntervalHistogram intervalHistogram(const std::vector<int>& spikeSteps);

// The local CVs of the windows at the times in ms of the spikes that end
// them, over a run of runMs: every one while there are at most
// 2 * kLocalCvBins, else the lowest and highest of each of kLocalCvBins
// equal spans of the run's time, in the order of the windows. None when the
// windows do not fit the spikes.
inline constexpr std::size_t kLocalCvBins = 2500;
std::vector<XY> localCvSeries(const LocalWindows& windows, const std::vector<int>& spikeSteps,
                              double runMs);

// The batch part, the train part and the run part of the results.
void setBatchResults(ResultsData& data, const std::vector<BatchPoint>& points);
void setTrainResults(ResultsData& data, const SimState& state);
void setRunResults(ResultsData& data, const SimState& state, const LocalWindows& windows,
                   double c0);

}  // namespace mirvok::ui
