#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "batch/setup_runs.hpp"
#include "sweep/sweep_summary.hpp"

namespace mirvok {

// One point of a sweep: its number in the grid, its seed and its batch.
struct SweepPoint {
    int number = 0;
    std::uint64_t seed = 0;
    BatchSetup setup;
};

// The points a sweep runs, in order: either held as they were added, or made
// from their numbers only when the runner comes to them, so that a sweep of
// a large grid holds the few points it works on, not all of them.
class SweepPoints {
  public:
    SweepPoints() = default;
    SweepPoints(std::initializer_list<SweepPoint> points) : held_(points) {}
    // The points of these numbers, point n made by make(n) whenever it is
    // needed (more than once: it must make the same point every time).
    SweepPoints(std::vector<int> numbers, std::function<SweepPoint(int number)> make)
        : numbers_(std::move(numbers)), make_(std::move(make)) {}

    // Adds a point held as it is (points given by numbers take none).
    void push_back(SweepPoint point) { held_.push_back(std::move(point)); }
    std::size_t size() const { return make_ ? numbers_.size() : held_.size(); }
    SweepPoint operator[](std::size_t i) const { return make_ ? make_(numbers_[i]) : held_[i]; }

  private:
    std::vector<SweepPoint> held_;
    std::vector<int> numbers_;
    std::function<SweepPoint(int)> make_;
};

// The points a sweep runs, each a batch of `iterations` runs, and whether
// the runs' record lines are wanted.
struct SweepRun {
    SweepPoints points;
    int iterations = 0;
    RecordText records = RecordText::Skipped;
};

// Receives a sweep's results on the thread that called runSweep, point after
// point in the order of SweepRun::points.
class SweepSink {
  public:
    virtual ~SweepSink() = default;
    // Record lines of the point, in iteration order, a block at a time (only
    // when records are wanted); the point's first block comes before any
    // other call about it.
    virtual void records(const SweepPoint& point, std::string_view lines) {
        (void)point;
        (void)lines;
    }
    // All runs of the point are in.
    virtual void pointDone(const SweepPoint& point, const PointStats& stats) = 0;
    // Runs done so far over the whole sweep.
    virtual void progress(long long runs) { (void)runs; }
    // Asked between blocks: true ends the sweep before the next point is done.
    virtual bool stopRequested() { return false; }
};

enum class SweepEnd { Completed, Stopped };

// How a sweep runs: its workers and the largest run of its points, for
// which their memory is planned.
struct SweepPlan {
    int threads = 1;
    RunSize largest;
};

// The plan of the sweep on `threads` workers (workersFor), refused with
// InputError as planBatch refuses a batch of the largest point when its
// memory exceeds availableBytes (nullopt: not checked). Call it before
// anything is written.
SweepPlan planSweep(const SweepRun& run, int threads, std::optional<std::uint64_t> availableBytes);

// Runs the points' runs on one set of workers, the runs of all points
// handed out as one sequence, so that threads move on to the next point
// instead of waiting for a point's last runs, and a point with few runs
// keeps every thread busy; the points are made a stretch at a time. Run i
// of a point is exactly iteration i of its batch (runSetupIteration), and
// the sink sees everything in order, so the results do not depend on the
// threads. An exception from a run or the sink reaches the caller after
// every point before it was handed over.
SweepEnd runSweep(const SweepRun& run, const SweepPlan& plan, SweepSink& sink);
// planSweep, then runSweep.
SweepEnd runSweep(const SweepRun& run, int threads, SweepSink& sink,
                  std::optional<std::uint64_t> availableBytes);

// Runs iteration 0 of every point, so that values the generator or the
// model refuse (a mean interval of 0, a rate that overflows at once) are
// refused before anything is written, as a batch refuses them.
void tryFirstRuns(const SweepPoints& points);

}  // namespace mirvok
