#pragma once

#include <cstdint>

#include "model/sim_state.hpp"
#include "model/value_source.hpp"

namespace mirvok {

// Steps of a run of timeMs milliseconds. Refuses, with InputError
// "'<ms>' is not a valid run length", a negative length, one whose step
// count does not fit a 32-bit integer, and one whose traces would take more
// than half of memoryBytes (kNoMemoryBound sets no bound).
int stepsForRunLength(int timeMs, std::uint64_t memoryBytes);

// The run length a source holds now, in steps (stepsForRunLength with the
// source's memory).
int stepsOfRun(ValueSource& values);

// Whether a run keeps the volumes of every step (the window shows them) or
// only what its spike lists and analysis need.
enum class TraceKeeping { Every, None };

// Brings the state into the start of a run. Reads the values in this order:
// run length (sets Nsteps), V1, V2; then curStep, matchFlag, spikeVari,
// outSpikeSteps and the traces; then epsilon and boundaryTol. A value that
// throws ends the reset there, with the earlier fields changed. A refused run
// length (stepsForRunLength with the source's memoryBytes) changes nothing.
// With TraceKeeping::None the traces are left empty.
void resetSimulation(SimState& state, ValueSource& values,
                     TraceKeeping traces = TraceKeeping::Every);

}  // namespace mirvok
