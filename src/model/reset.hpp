#pragma once

#include <cstdint>

#include "model/sim_state.hpp"

namespace mirvok {

// The five values a reset latches, each obtained at the moment the reset
// reads it. The window converts a box in each call, so a box that does not
// convert throws from here and leaves the state as far as the reset got.
class ResetValues {
  public:
    virtual ~ResetValues() = default;
    virtual int timeMs() = 0;       // run length in ms
    virtual double v1Start() = 0;   // start volume of compartment 1
    virtual double v2Start() = 0;   // start volume of compartment 2
    virtual double maxDiff() = 0;   // coincidence window epsilon
    virtual double zeroDiff() = 0;  // boundary tolerance
    // The memory the run may take: its traces get at most half of it
    // (kNoMemoryBound: no bound). The front end hands it over, from the
    // machine it runs on.
    virtual std::uint64_t memoryBytes() = 0;
};

inline constexpr std::uint64_t kNoMemoryBound = 0;

// Values known in advance (command line, tests, benchmarks).
struct FixedResetValues : ResetValues {
    int time = 1000;
    double v1 = 0.2;
    double v2 = 0.8;
    double eps = 0.005;
    double tol = 0.0;
    std::uint64_t memory = kNoMemoryBound;

    int timeMs() override { return time; }
    double v1Start() override { return v1; }
    double v2Start() override { return v2; }
    double maxDiff() override { return eps; }
    double zeroDiff() override { return tol; }
    std::uint64_t memoryBytes() override { return memory; }
};

// Steps of a run of timeMs milliseconds. Refuses, with InputError
// "'<ms>' is not a valid run length", a negative length, one whose step
// count does not fit a 32-bit integer, and one whose traces would take more
// than half of memoryBytes (kNoMemoryBound sets no bound).
int stepsForRunLength(int timeMs, std::uint64_t memoryBytes);

// Whether a run keeps the volumes of every step (the window shows them) or
// only what its spike lists and analysis need.
enum class TraceKeeping { Every, None };

// Brings the state into the start of a run. Reads the values in this order:
// run length (sets Nsteps), V1, V2; then curStep, matchFlag, spikeVari,
// outSpikeSteps and the traces; then epsilon and boundaryTol. A value that
// throws ends the reset there, with the earlier fields changed. A refused run
// length (stepsForRunLength with the values' memoryBytes) changes nothing.
// With TraceKeeping::None the traces are left empty.
void resetSimulation(SimState& state, ResetValues& values,
                     TraceKeeping traces = TraceKeeping::Every);

}  // namespace mirvok
