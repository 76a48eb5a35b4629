#include "analysis/analysed_run.hpp"

namespace mirvok {

void AnalysingHooks::stopRun() {
    state_.analysisResult = analyseRun(state_, values_);
}

RunEnd runAndAnalyse(SimState& state, ValueSource& values, RunEvents* events) {
    AnalysingHooks hooks(state, values, events);
    return runWithoutTraces(state, values, hooks);
}

}  // namespace mirvok
