#include "batch/sweep/sweep_runner.hpp"

#include <algorithm>
#include <climits>
#include <string>

#include "batch/ordered_runner.hpp"

namespace mirvok {
namespace {

// Thrown from the sink when the sweep is asked to stop: it ends the runner,
// which joins its workers.
struct StopSweep {};

RunSize largestRun(const std::vector<SweepPoint>& points) {
    RunSize most;
    for (const SweepPoint& point : points) {
        const RunSize size = runSizeOf(point.setup);
        most.steps = std::max(most.steps, size.steps);
        most.spikes = std::max(most.spikes, size.spikes);
    }
    return most;
}

// The runs of points [first, last) as one sequence on the workers. Run g is
// run g % iterations of point first + g / iterations.
class SweepStretch {
  public:
    SweepStretch(const SweepRun& run, std::size_t first, SweepSink& sink, long long& done)
        : run_(run), first_(first), sink_(sink), done_(done) {}

    void go(const RunnerPlan& plan) {
        kits_ = std::vector<WorkerKit>(static_cast<std::size_t>(plan.workers));
        loaded_.assign(kits_.size(), kNone);
        runOrdered(
            plan, [this](int worker, int g) { return work(worker, g); },
            [this](int first, std::span<IterationOutcome> block) { deliver(first, block); });
    }

  private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    const SweepPoint& pointOf(int g) const {
        return run_.points[first_ + static_cast<std::size_t>(g / run_.iterations)];
    }

    IterationOutcome work(int worker, int g) {
        const auto w = static_cast<std::size_t>(worker);
        const std::size_t p = first_ + static_cast<std::size_t>(g / run_.iterations);
        if (loaded_[w] != p) {
            loadSetup(kits_[w], run_.points[p].setup);
            loaded_[w] = p;
        }
        const SweepPoint& point = run_.points[p];
        return runSetupIteration(kits_[w], point.setup, point.seed, g % run_.iterations,
                                 run_.records);
    }

    void deliver(int first, std::span<IterationOutcome> block) {
        for (std::size_t j = 0; j < block.size(); ++j) {
            const int g = first + static_cast<int>(j);
            lines_ += block[j].record;
            stats_.add(block[j]);
            if (g % run_.iterations == run_.iterations - 1) {
                handOverLines(pointOf(g));
                sink_.pointDone(pointOf(g), stats_);
                stats_ = PointStats{};
            }
        }
        if (!block.empty()) handOverLines(pointOf(first + static_cast<int>(block.size()) - 1));
        done_ += static_cast<long long>(block.size());
        sink_.progress(done_);
        if (sink_.stopRequested()) throw StopSweep{};
    }

    void handOverLines(const SweepPoint& point) {
        if (lines_.empty()) return;
        sink_.records(point, lines_);
        lines_.clear();
    }

    const SweepRun& run_;
    const std::size_t first_;
    SweepSink& sink_;
    long long& done_;
    std::vector<WorkerKit> kits_;
    std::vector<std::size_t> loaded_;  // the point each worker's kit holds
    PointStats stats_;
    std::string lines_;
};

}  // namespace

SweepEnd runSweep(const SweepRun& run, int threads, SweepSink& sink,
                  std::optional<std::uint64_t> availableBytes) {
    if (run.iterations <= 0) {
        for (const SweepPoint& point : run.points) sink.pointDone(point, PointStats{});
        return SweepEnd::Completed;
    }
    const RunSize size = largestRun(run.points);
    // The runner counts runs in an int: beyond that, stretches of points.
    const std::size_t perStretch = static_cast<std::size_t>(INT_MAX / run.iterations);
    long long done = 0;
    try {
        for (std::size_t first = 0; first < run.points.size(); first += perStretch) {
            const std::size_t points = std::min(perStretch, run.points.size() - first);
            const RunnerPlan plan =
                planBatch(static_cast<int>(points) * run.iterations, threads, size, availableBytes);
            SweepStretch(run, first, sink, done).go(plan);
        }
    } catch (const StopSweep&) {
        return SweepEnd::Stopped;
    }
    return SweepEnd::Completed;
}

void tryFirstRuns(const std::vector<SweepPoint>& points) {
    WorkerKit kit;
    for (const SweepPoint& point : points) {
        loadSetup(kit, point.setup);
        runSetupIteration(kit, point.setup, point.seed, 0, RecordText::Skipped);
    }
}

}  // namespace mirvok
