#include "model/instant_run.hpp"

#include <cstddef>

namespace mirvok {

void fitTrains(SimState& s) {
    s.inTrain.resize(static_cast<std::size_t>(s.Nsteps), 0);
    s.outTrain.resize(static_cast<std::size_t>(s.Nsteps), 0);
}

RunEnd runInstant(SimState& s, ResetValues& values, RateSource& rates, RunHooks& hooks) {
    resetSimulation(s, values);
    fitTrains(s);
    // Events are offered every 256 steps; asking the window costs far more
    // than a step, and the window itself decides whether time has come.
    for (unsigned counter = 0; s.curStep < s.Nsteps; ++counter) {
        if ((counter & 255u) == 0) {
            hooks.pumpEvents();
            if (s.curStep >= s.Nsteps) break;
        }
        if (stepSimulation(s, rates, hooks) == StepOutcome::RateFailed) return RunEnd::RateFailed;
    }
    return RunEnd::Completed;
}

}  // namespace mirvok
