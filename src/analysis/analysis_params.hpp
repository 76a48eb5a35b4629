#pragma once

#include <string>

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

// Receives the lines of the local-CV list box; the window shows them.
class VariLineSink {
  public:
    virtual ~VariLineSink() = default;
    virtual void clear() = 0;
    virtual void append(const std::string& line) = 0;
};

}  // namespace mirvok
