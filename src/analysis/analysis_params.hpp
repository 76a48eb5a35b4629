#pragma once

#include <cstddef>

namespace mirvok {

// The three values that steer the analysis, each obtained only where the
// analysis needs it (the window converts its box in each call, and a box
// that does not convert throws there).
class AnalysisParams {
  public:
    virtual ~AnalysisParams() = default;
    virtual int ign() = 0;    // spikes up to this step are left out
    virtual int range() = 0;  // intervals in one local window
    virtual double c0() = 0;  // CV threshold of the scores
};

struct FixedAnalysisParams : AnalysisParams {
    int ignSteps = 0;
    int rangeIntervals = 5;
    double c0Value = 0.3333;

    int ign() override { return ignSteps; }
    int range() override { return rangeIntervals; }
    double c0() override { return c0Value; }
};

// Receives the local windows of an analysis as they are computed: the
// window lists the non-zero ones and charts them all.
class LocalWindowSink {
  public:
    virtual ~LocalWindowSink() = default;
    // An analysis begins and the windows of the one before are gone; at
    // most `atMost` windows follow.
    virtual void start(std::size_t atMost) = 0;
    // The local CV of the window that ends at input spike `spike` (counted
    // from 0). Windows come in order and end at consecutive spikes.
    virtual void window(std::size_t spike, double lcv) = 0;
};

}  // namespace mirvok
