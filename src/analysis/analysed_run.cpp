#include "analysis/analysed_run.hpp"

namespace mirvok {

void AnalysingHooks::stopRun() {
    analyseRun(state_, params_, results_);
}

RunEnd runAndAnalyse(SimState& state, ResetValues& values, RateSource& rates,
                     AnalysisParams& params, RunResults& results, RunEvents* events) {
    AnalysingHooks hooks(state, params, results, events);
    return runWithoutTraces(state, values, rates, hooks);
}

}  // namespace mirvok
