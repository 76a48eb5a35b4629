#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "batch/batch_setup.hpp"
#include "batch/sweep/sweep_summary.hpp"

namespace mirvok {

// One point of a sweep: its number in the grid, its seed and its batch.
struct SweepPoint {
    int number = 0;
    std::uint64_t seed = 0;
    BatchSetup setup;
};

// The points a sweep runs, each a batch of `iterations` runs, and whether
// the runs' record lines are wanted.
struct SweepRun {
    std::vector<SweepPoint> points;
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

// Runs the points' runs on one set of `threads` workers (workersFor), the
// runs of all points handed out as one sequence, so that threads move on to
// the next point instead of waiting for a point's last runs, and a point
// with few runs keeps every thread busy. Run i of a point is exactly
// iteration i of its batch (runSetupIteration), and the sink sees everything
// in order, so the results do not depend on the threads. The memory is
// checked first as for a batch of the largest point (planBatch;
// availableBytes nullopt: not checked). An exception from a run or the sink
// reaches the caller after every point before it was handed over.
SweepEnd runSweep(const SweepRun& run, int threads, SweepSink& sink,
                  std::optional<std::uint64_t> availableBytes);

// Runs iteration 0 of every point, so that values the generator or the
// model refuse (a mean interval of 0, a rate that overflows at once) are
// refused before anything is written, as a batch refuses them.
void tryFirstRuns(const std::vector<SweepPoint>& points);

}  // namespace mirvok
