#pragma once

#include "analysis/analysis.hpp"
#include "model/instant_run.hpp"

namespace mirvok {

// Run hooks for runs without a window: stopping a run only analyses it and
// stores the overall score, as it does inside a batch.
class AnalysingHooks : public RunHooks {
  public:
    AnalysingHooks(SimState& state, AnalysisParams& params) : state_(state), params_(params) {}
    void stopRun() override;

  private:
    SimState& state_;
    AnalysisParams& params_;
};

// An instant run with its analysis, for the batches and the command line:
// made for its spike lists and results only, so it keeps no traces.
RunEnd runAndAnalyse(SimState& state, ResetValues& values, RateSource& rates,
                     AnalysisParams& params);

}  // namespace mirvok
