#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mirvok {

// One flag per step; a byte each, because the step reads them in its hot loop.
using Flags = std::vector<std::uint8_t>;

// The model's state: the run's length and step, the volumes, and the trains
// it runs over and makes. What a run's analysis gives is its outcome
// (RunResults), the segments the generator draws in are its settings', and
// the window keeps what only it needs. The window holds exactly one, made
// before it and outliving it; tests, batches and the command line make
// their own.
struct SimState {
    // Run length in steps of 0.5 ms, and the step the next update computes.
    int Nsteps = 0;
    int curStep = 0;

    // Volumes of the two compartments, and V1 - V2 as the latest step saw it.
    double V1 = 0.0;
    double V2 = 0.0;
    double dV = 0.0;

    // Latched at reset: coincidence window and boundary tolerance.
    double epsilon = 0.0;
    double boundaryTol = 0.0;

    bool matchFlag = false;

    // The input train as it was loaded (read, generated or replayed): its
    // steps in ascending order, those beyond the current run included, and
    // the number of its negative steps, which no run holds. inTrain and
    // inSpikeSteps are built from its steps inside the run, and skippedSteps
    // counts the rest; a later run long enough takes them back.
    std::vector<int> loadedTrain;
    std::size_t loadedOutsideAnyRun = 0;
    // The gamma distribution a generated train was drawn from, for a view
    // of its intervals: mean interval in ms and shape; both 0 for a train
    // that was read, replayed or drawn in segments. Part of the train's
    // description: whatever loads a train sets or clears it with the train,
    // so no view shows the law of a train that is gone.
    double trainMeanMs = 0.0;
    double trainShape = 0.0;
    std::size_t skippedSteps = 0;

    // Trains, each held as flags and as a list of step indices.
    Flags inTrain;
    Flags outTrain;
    std::vector<int> inSpikeSteps;
    std::vector<int> outSpikeSteps;

    // Volumes at the start of every step, and the per-input-spike local CV.
    std::vector<double> V1trace;
    std::vector<double> V2trace;
    std::vector<double> spikeVari;

    bool operator==(const SimState&) const = default;
};

}  // namespace mirvok
