#include "batch/batch_memory.hpp"

#include <algorithm>
#include <cmath>
#include <string>

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

double segmentSpikes(const SimState& s) {
    const std::size_t n = std::min({s.segBounds.size() - 1, s.segIsi.size(), s.segShape.size()});
    double spikes = 0.0;
    for (std::size_t i = 0; i < n && s.segBounds[i] < s.Nsteps; ++i) {
        const int end = std::min(s.segBounds[i + 1], s.Nsteps - 1);
        spikes += spikesOver(std::max(end - s.segBounds[i] + 1, 0), s.segIsi[i]);
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

std::size_t expectedSpikes(const SimState& stateTemplate, const GeneratorSettings& settings) {
    const double spikes =
        settings.segmentMode && !stateTemplate.segBounds.empty()
            ? segmentSpikes(stateTemplate)
            : spikesOver(stateTemplate.Nsteps, settings.isi - std::fabs(settings.isiJitter));
    const double most = static_cast<double>(maxSpikesFor(stateTemplate.Nsteps));
    return static_cast<std::size_t>(std::ceil(std::min(spikes, most)));
}

std::uint64_t runBytes(const RunSize& run) {
    const auto steps = static_cast<std::uint64_t>(std::max(run.steps, 0));
    return steps * (2 * sizeof(double) + 3 * sizeof(std::uint8_t)) +
           run.spikes * (3 * sizeof(int) + sizeof(double));
}

std::uint64_t recordBytes(const RunSize& run) {
    // Six numbers with their semicolons and quotes; a step takes at least
    // four characters and its comma.
    constexpr std::uint64_t kNumbers = 64;
    const int width = std::max(digits(std::max(run.steps - 1, 0)), 4) + 1;
    return kNumbers + 2 * run.spikes * static_cast<std::uint64_t>(width);
}

std::uint64_t batchBytes(const RunnerPlan& plan, const RunSize& run) {
    return static_cast<std::uint64_t>(plan.workers) * runBytes(run) +
           plan.heldOutcomes() * recordBytes(run);
}

void checkBatchMemory(const RunnerPlan& plan, const RunSize& run, std::uint64_t availableBytes) {
    const std::uint64_t needed = batchBytes(plan, run);
    if (needed <= availableBytes) return;
    std::string message = "The batch needs " + megabytes(needed, true) + " MB of memory, " +
                          megabytes(availableBytes, false) + " MB are available: ";
    const int workers = fittingWorkers(plan, run, availableBytes);
    if (workers > 0)
        message += "use at most " + IntToStr(workers) + (workers == 1 ? " thread" : " threads") +
                   ", or a shorter run time";
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
