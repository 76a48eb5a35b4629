#pragma once

#include "model/rates.hpp"
#include "model/sim_state.hpp"

namespace mirvok {

// Runs the steps from curStep up to end (exclusive, end <= Nsteps and the
// trains hold Nsteps flags) as stepWithoutTraces would, one after another,
// but in a tight loop over the rates read once: output spikes, flags, V1,
// V2, dV, matchFlag and curStep come out the same to the last bit. Calls no
// hook. Returns false, with curStep at a step not yet run and the state
// exactly as the steps before it left it, when that step must go through
// stepWithoutTraces: a rate that fails to read, or a volume that strays
// towards the end of the double range, where the exact step raises the
// error at the operation that causes it.
bool advanceWithoutTraces(SimState& state, LatchedRates& rates, int end);

}  // namespace mirvok
