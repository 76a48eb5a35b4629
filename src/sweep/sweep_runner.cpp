#include "sweep/sweep_runner.hpp"

#include <algorithm>
#include <climits>
#include <string>

#include "batch/ordered_runner.hpp"

namespace mirvok {
namespace {

// The most points made at once: a stretch of a few thousand keeps the
// workers busy past each point's last runs, while a sweep of a large grid
// holds no more of its points than this.
constexpr std::size_t kPointsPerStretch = 1024;

// Thrown from the sink when the sweep is asked to stop: it ends the runner,
// which joins its workers.
struct StopSweep {};

// The runs of a stretch of points as one sequence on the workers. Run g is
// run g % iterations of point g / iterations of the stretch.
class SweepStretch {
  public:
    SweepStretch(std::vector<SweepPoint> points, const SweepRun& run, SweepSink& sink,
                 long long& done)
        : points_(std::move(points)), run_(run), sink_(sink), done_(done) {}

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
        return points_[static_cast<std::size_t>(g / run_.iterations)];
    }

    IterationOutcome work(int worker, int g) {
        const auto w = static_cast<std::size_t>(worker);
        const auto p = static_cast<std::size_t>(g / run_.iterations);
        if (loaded_[w] != p) {
            loadSetup(kits_[w], points_[p].setup);
            loaded_[w] = p;
        }
        const SweepPoint& point = points_[p];
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

    const std::vector<SweepPoint> points_;
    const SweepRun& run_;
    SweepSink& sink_;
    long long& done_;
    std::vector<WorkerKit> kits_;
    std::vector<std::size_t> loaded_;  // the point each worker's kit holds
    PointStats stats_;
    std::string lines_;
};

// The points of a stretch: the runner counts a stretch's runs in an int.
std::size_t stretchPoints(const SweepRun& run) {
    return std::min(kPointsPerStretch, static_cast<std::size_t>(INT_MAX / run.iterations));
}

}  // namespace

SweepPlan planSweep(const SweepRun& run, int threads, std::optional<std::uint64_t> availableBytes) {
    SweepPlan plan{threads, {}};
    for (std::size_t i = 0; i < run.points.size(); ++i) {
        const RunSize size = runSizeOf(run.points[i].setup);
        plan.largest.steps = std::max(plan.largest.steps, size.steps);
        plan.largest.spikes = std::max(plan.largest.spikes, size.spikes);
    }
    // The first stretch has the most runs, and so the most workers.
    if (run.iterations > 0 && run.points.size() > 0)
        planBatch(
            static_cast<int>(std::min(stretchPoints(run), run.points.size())) * run.iterations,
            threads, plan.largest, availableBytes);
    return plan;
}

SweepEnd runSweep(const SweepRun& run, const SweepPlan& plan, SweepSink& sink) {
    if (run.iterations <= 0) {
        for (std::size_t i = 0; i < run.points.size(); ++i)
            sink.pointDone(run.points[i], PointStats{});
        return SweepEnd::Completed;
    }
    const std::size_t perStretch = stretchPoints(run);
    long long done = 0;
    try {
        for (std::size_t first = 0; first < run.points.size(); first += perStretch) {
            std::vector<SweepPoint> points;
            for (std::size_t i = first; i < std::min(first + perStretch, run.points.size()); ++i)
                points.push_back(run.points[i]);
            const int runs = static_cast<int>(points.size()) * run.iterations;
            SweepStretch(std::move(points), run, sink, done)
                .go(planBatch(runs, plan.threads, plan.largest, std::nullopt));
        }
    } catch (const StopSweep&) {
        return SweepEnd::Stopped;
    }
    return SweepEnd::Completed;
}

SweepEnd runSweep(const SweepRun& run, int threads, SweepSink& sink,
                  std::optional<std::uint64_t> availableBytes) {
    return runSweep(run, planSweep(run, threads, availableBytes), sink);
}

void tryFirstRuns(const SweepPoints& points) {
    WorkerKit kit;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const SweepPoint point = points[i];
        loadSetup(kit, point.setup);
        runSetupIteration(kit, point.setup, point.seed, 0, RecordText::Skipped);
    }
}

}  // namespace mirvok
