#pragma once

namespace mirvok {

// What the analysis of a run gives: output spikes per input spike, the CV
// of the input intervals, the mean score of the local windows, and the
// overall score of the run against c0. The run's outcome, kept apart from
// the model's state: a run that is not analysed (no step to run) leaves
// the results of the one before it standing.
struct RunResults {
    double transmissionRatio = 0.0;
    double isiCV = 0.0;
    double localScoreMean = 0.0;
    double analysisResult = 0.0;

    bool operator==(const RunResults&) const = default;
};

}  // namespace mirvok
