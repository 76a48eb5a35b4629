#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "model/sim_state.hpp"

namespace mirvok {

// Makes `steps` the loaded train (sorted, repeats kept) and builds the input
// train from it for the current Nsteps, with outTrain cleared. Returns the
// steps outside the run, which stay in the loaded train.
std::size_t loadTrain(SimState& state, std::span<const int> steps);

// Builds inTrain (Nsteps flags) and inSpikeSteps from the loaded train's
// steps inside 0 .. Nsteps - 1; skippedSteps counts the others.
void buildInputTrain(SimState& state);

}  // namespace mirvok
