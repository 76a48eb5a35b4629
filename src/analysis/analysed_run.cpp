#include "analysis/analysed_run.hpp"

namespace mirvok {

void AnalysingHooks::stopRun() {
    state_.analysisResult = analyseRun(state_, params_);
}

RunEnd runAndAnalyse(SimState& state, ResetValues& values, RateSource& rates,
                     AnalysisParams& params) {
    AnalysingHooks hooks(state, params);
    return runWithoutTraces(state, values, rates, hooks);
}

}  // namespace mirvok
