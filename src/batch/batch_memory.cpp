#include "batch/batch_memory.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "batch/worker_kit.hpp"
#include "text/number_format.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/generator_limits.hpp"

namespace mirvok {
namespace {

double spikesOver(double steps, double meanIntervalMs) {
    return steps / (2.0 * std::max(meanIntervalMs, kMinMeanIntervalMs));
}

double segmentSpikes(int steps, const Segments& s) {
    const std::size_t n = std::min({s.bounds.size() - 1, s.isi.size(), s.shape.size()});
    double spikes = 0.0;
    for (std::size_t i = 0; i < n && s.bounds[i] < steps; ++i) {
        const int end = std::min(s.bounds[i + 1], steps - 1);
        spikes += spikesOver(std::max(end - s.bounds[i] + 1, 0), s.isi[i]);
    }
    return spikes;
}

int digits(long long value) {
    int n = 1;
    while (value >= 10) {
        value /= 10;
        ++n;
    }
    return n;
}

std::string megabytes(std::uint64_t bytes, bool roundUp) {
    constexpr std::uint64_t kMega = 1000000;
    return IntToStr(static_cast<long long>(bytes / kMega + (roundUp && bytes % kMega != 0)));
}

// The most workers whose batch fits, or 0 when not even one does.
int fittingWorkers(const RunnerPlan& plan, const RunSize& run, std::uint64_t availableBytes) {
    const std::uint64_t record = recordBytes(run);
    for (int workers = plan.workers - 1; workers >= 1; --workers) {
        if (batchBytes(planRun(plan.count, workers, record), run) <= availableBytes) return workers;
    }
    return 0;
}

}  // namespace

RunSize replaySize(int steps, const std::vector<std::vector<int>>& lists) {
    std::size_t longest = 0;
    for (const std::vector<int>& list : lists) longest = std::max(longest, list.size());
    return {steps, longest};
}

std::size_t expectedSpikes(int steps, const GeneratorSettings& settings) {
    const double spikes = settings.segmentMode && !settings.segments.bounds.empty()
                              ? segmentSpikes(steps, settings.segments)
                              : spikesOver(steps, settings.isi - std::fabs(settings.isiJitter));
    const double most = static_cast<double>(maxSpikesFor(steps));
    return static_cast<std::size_t>(std::ceil(std::min(spikes, most)));
}

std::uint64_t RunSize::outputs() const {
    // An output spike falls on a step with an input spike, one at most per step.
    return std::min<std::uint64_t>(spikes, static_cast<std::uint64_t>(std::max(steps, 0)));
}

std::uint64_t runBytes(const RunSize& run) {
    // Per step: the input and output flags, and the fresh train of flags the
    // generator fills beside them before it takes their place. Per input
    // spike: its step in the run's list and in the loaded train, and its
    // local CV; per output spike its step. A worker keeps them from one run
    // to the next.
    constexpr std::uint64_t kPerStep = 3 * sizeof(std::uint8_t);
    constexpr std::uint64_t kPerSpike = 2 * sizeof(int) + sizeof(double);
    return static_cast<std::uint64_t>(std::max(run.steps, 0)) * kPerStep + run.spikes * kPerSpike +
           run.outputs() * sizeof(int);
}

std::uint64_t growthBytes(const RunSize& run) {
    // The generator's list of a new train, while the previous run's lists
    // are still held: twice its steps at the moment it doubles.
    return 2 * run.spikes * sizeof(int);
}

std::uint64_t recordBytes(const RunSize& run) {
    // Six numbers with their semicolons and quotes; a step takes at least
    // four characters and its comma.
    constexpr std::uint64_t kNumbers = 64;
    const int width = std::max(digits(std::max(run.steps - 1, 0)), 4) + 1;
    return kNumbers + (run.spikes + run.outputs()) * static_cast<std::uint64_t>(width);
}

std::uint64_t keptRunBytes(const RunSize& run, KeptTrains trains) {
    // The run's six numbers and its two trains' entries in columns that
    // grow by doubling.
    constexpr std::uint64_t kColumns =
        2 * (3 * sizeof(int) + 4 * sizeof(double) + 2 * sizeof(std::vector<int>));
    const std::uint64_t in = run.spikes * sizeof(int);
    const std::uint64_t out = run.outputs() * sizeof(int);
    if (trains == KeptTrains::Flat) {
        // Both trains' steps, the input's twice while it is copied into an
        // array of its own size, and an offset per train (doubling too).
        constexpr std::uint64_t kOffsets = 2 * 2 * sizeof(std::int64_t);
        return 2 * in + out + kOffsets + kColumns;
    }
    // Each train's steps, and the objects that make them an array of their
    // own: the array, its shape and strides, the capsule that owns the
    // storage, the vector it owns, the storage's header and the list's entry.
    constexpr std::uint64_t kPerArray = 256;
    return in + out + 2 * kPerArray + kColumns;
}

std::uint64_t batchBytes(const RunnerPlan& plan, const RunSize& run) {
    // What a batch touches besides its runs' data (the code of the model,
    // the generator and the analysis), and each worker's stack and arena.
    constexpr std::uint64_t kBatch = std::uint64_t{1} << 20;
    constexpr std::uint64_t kPerWorker = std::uint64_t{1} << 18;
    // The outcomes the runner holds, never more than the batch's runs, and
    // the copy of a block's short records the sink writes at once (a long
    // run's record is written alone, as it is). A worker's own record is
    // among them; while it draws a new train instead, that train's list
    // grows where the record was, and may outgrow it.
    const auto blockCopy = static_cast<std::uint64_t>(plan.blockSize > 1 ? plan.blockSize : 0);
    const std::uint64_t records =
        std::min<std::uint64_t>(plan.heldOutcomes(), static_cast<std::uint64_t>(plan.count)) +
        blockCopy;
    const std::uint64_t record = recordBytes(run);
    const std::uint64_t growth = growthBytes(run);
    const std::uint64_t perWorker =
        kPerWorker + runBytes(run) + (growth > record ? growth - record : 0);
    return kBatch + static_cast<std::uint64_t>(plan.workers) * perWorker + records * record;
}

void checkBatchMemory(const RunnerPlan& plan, const RunSize& run, std::uint64_t availableBytes) {
    const std::uint64_t needed = batchBytes(plan, run);
    if (needed <= availableBytes) return;
    std::string message = "The batch needs " + megabytes(needed, true) + " MB of memory, " +
                          megabytes(availableBytes, false) + " MB are available: ";
    const int workers = fittingWorkers(plan, run, availableBytes);
    if (workers > 0)
        message += "use at most " + counted(workers, "thread") + ", or a shorter run time";
    else
        message += "choose a shorter run time";
    throw InputError(message);
}

RunnerPlan planBatch(int count, int threads, const RunSize& run,
                     std::optional<std::uint64_t> availableBytes) {
    const RunnerPlan plan = planRun(count, workersFor(threads, count), recordBytes(run));
    if (availableBytes) checkBatchMemory(plan, run, *availableBytes);
    return plan;
}

}  // namespace mirvok
