#include "analysis/analysed_run.hpp"

namespace mirvok {

void AnalysingHooks::stopRun() {
    analyseRun(state_, values_, results_);
}

RunEnd runAndAnalyse(SimState& state, ValueSource& values, RunResults& results, RunEvents* events) {
    AnalysingHooks hooks(state, values, results, events);
    return runWithoutTraces(state, values, hooks);
}

}  // namespace mirvok
