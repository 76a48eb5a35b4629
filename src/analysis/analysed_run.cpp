#include "analysis/analysed_run.hpp"

namespace mirvok {

void AnalysingHooks::stopRun() {
    state_.analysisResult = analyseRun(state_, params_);
}

RunEnd runAndAnalyse(SimState& state, ResetValues& values, RateSource& rates,
                     AnalysisParams& params, RunEvents* events) {
    AnalysingHooks hooks(state, params, events);
    return runWithoutTraces(state, values, rates, hooks);
}

}  // namespace mirvok
