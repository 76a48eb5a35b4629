#include "model/input_train.hpp"

#include <algorithm>

namespace mirvok {

std::size_t loadTrain(SimState& state, std::span<const int> steps) {
    std::vector<int>& loaded = state.loadedTrain;
    loaded.clear();
    state.loadedOutsideAnyRun = 0;
    state.trainMeanMs = 0.0;
    state.trainShape = 0.0;
    for (const int step : steps) {
        if (step < 0)
            ++state.loadedOutsideAnyRun;
        else
            loaded.push_back(step);
    }
    // Ascending, so that the analysis never sees a negative interval.
    if (!std::is_sorted(loaded.begin(), loaded.end())) std::sort(loaded.begin(), loaded.end());
    buildInputTrain(state);
    state.outTrain.assign(state.inTrain.size(), 0);
    return state.skippedSteps;
}

void buildInputTrain(SimState& state) {
    const int n = std::max(state.Nsteps, 0);
    const std::vector<int>& loaded = state.loadedTrain;
    state.inSpikeSteps.assign(loaded.begin(), std::lower_bound(loaded.begin(), loaded.end(), n));
    state.inTrain.assign(static_cast<std::size_t>(n), 0);
    for (const int step : state.inSpikeSteps) state.inTrain[static_cast<std::size_t>(step)] = 1;
    state.skippedSteps = state.loadedOutsideAnyRun + (loaded.size() - state.inSpikeSteps.size());
}

}  // namespace mirvok
