#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "batch/batch_iteration.hpp"
#include "batch/ordered_runner.hpp"
#include "model/sim_state.hpp"

namespace mirvok {

// The size of every run of a batch: its steps and the input spikes of one
// train (expected for generated trains, the longest list for a replay).
struct RunSize {
    int steps = 0;
    std::size_t spikes = 0;

    // The most output spikes a run can have: one per step with an input spike.
    std::uint64_t outputs() const;
};

// The size of a replay's runs: `steps` each, and the longest of the lists
// replayed as their input trains.
RunSize replaySize(int steps, const std::vector<std::vector<int>>& lists);

// The input spikes a generated train of `steps` steps is
// expected to hold: its steps over the shortest mean interval the settings
// give (the isi less its jitter, or each segment's own). Trains vary around
// it; the traces, which do not, outweigh the spikes unless the mean interval
// is a few steps.
std::size_t expectedSpikes(int steps, const GeneratorSettings& settings);

// Bytes one worker keeps for a run without traces (a batch's): the train
// flags (input, output and the generator's fresh train), the spike lists
// and the local CVs.
std::uint64_t runBytes(const RunSize& run);
// Bytes a worker holds besides them while it draws the next train.
std::uint64_t growthBytes(const RunSize& run);
// Bytes of one record: its numbers and both spike lists, every step as wide
// as the run's last one.
std::uint64_t recordBytes(const RunSize& run);
// How a batch that returns its runs as values keeps their trains: an array
// per train, or all trains of a kind in one array.
enum class KeptTrains { Arrays, Flat };
// Bytes one run takes when it is kept whole, besides what its worker holds.
std::uint64_t keptRunBytes(const RunSize& run, KeptTrains trains);
// One run per worker, the records the runner may hold and the sink's copy
// of those it writes: what a batch holds at most in a program that gives
// freed blocks back (giveFreedBlocksBack).
std::uint64_t batchBytes(const RunnerPlan& plan, const RunSize& run);

// Refuses, before anything is allocated or written, a batch whose memory
// exceeds availableBytes, with InputError naming what to lower: the threads
// (saying how many fit) or, when not even one worker fits, the run time.
void checkBatchMemory(const RunnerPlan& plan, const RunSize& run, std::uint64_t availableBytes);

// The plan of a batch of count runs on `threads` workers (workersFor), and
// refused as checkBatchMemory says unless it fits in availableBytes, the
// memory available now as the caller finds it (nullopt: not known, so not
// checked). Call it before the result file is touched.
RunnerPlan planBatch(int count, int threads, const RunSize& run,
                     std::optional<std::uint64_t> availableBytes);

}  // namespace mirvok
