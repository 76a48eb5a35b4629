#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/sim_state.hpp"

namespace mirvok {

// The numbers of a spike-train text: items of optional white space, a signed
// decimal integer and an optional comma right after it, until the first place
// where no number can be read. Numbers beyond the range of int are held at
// its limit (they lie outside every run).
std::vector<int> parseSpikeTrainText(std::string_view text);

// Where reading a spike-train file stopped before the file's end: the
// first character that is no part of a step list (line and column from 1).
struct ReadStop {
    std::size_t line = 1;
    std::size_t column = 1;
    char character = 0;
};

// What loading a list of steps as the input train did.
struct TrainLoad {
    std::size_t stored = 0;             // entries now in inSpikeSteps
    std::size_t skipped = 0;            // steps outside 0 .. Nsteps - 1, left out
    std::optional<ReadStop> stoppedAt;  // readSpikeTrainFile: text left unread
};

// "reading <path> stopped at line L, column C, at '.', which is no part of a
// step number: the train holds the N steps read before it".
std::string readStopMessage(const std::string& path, const ReadStop& stop, std::size_t steps);

// Makes steps the loaded train and the input train for the current Nsteps:
// inTrain and outTrain become Nsteps flags, inSpikeSteps the steps inside
// the run in ascending order (repeats kept); steps outside it are skipped
// and counted, and kept for a longer run (model/input_train.hpp).
TrainLoad loadInputTrain(SimState& state, std::span<const int> steps);

// "N spike steps outside 0 to M were skipped", M being Nsteps - 1; for a run
// of no steps, "N spike steps were skipped: the run has no steps".
std::string skippedStepsMessage(std::size_t skipped, int Nsteps);

// Reads a spike-train file into the input train. The file is read as it
// arrives, in chunks, and only up to the first place without a number, so
// a pipe or an endless device (/dev/zero) ends at once. Returns nothing, and
// changes nothing, when no file of that name exists; throws FileError
// "Could not read the file <path>" when it exists but cannot be read. A
// train that would take more than availableBytes (0: no bound) is refused
// with InputError as it grows (train_memory.hpp), the state unchanged.
std::optional<TrainLoad> readSpikeTrainFile(SimState& state, const std::string& path,
                                            std::uint64_t availableBytes = 0);

}  // namespace mirvok
