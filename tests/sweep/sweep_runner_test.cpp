#include "sweep/sweep_runner.hpp"

#include <gtest/gtest.h>

#include <map>

#include "batch/setup_runs.hpp"
#include "model/reset.hpp"

namespace mirvok {
namespace {

SweepPoint point(int number, int timeMs, double cv) {
    SweepPoint p;
    p.number = number;
    p.seed = 1000u + static_cast<std::uint64_t>(number);
    p.setup.reset.time = timeMs;
    p.setup.steps = stepsForRunLength(timeMs, kNoMemoryBound);
    p.setup.generator.cv = cv;
    return p;
}

// What a sink saw of each point, and in which order the points were done.
struct SeenPoint {
    std::string records;
    std::vector<double> numbers;  // means and spreads
};

class RecordingSink : public SweepSink {
  public:
    void records(const SweepPoint& p, std::string_view lines) override {
        seen[p.number].records += lines;
    }
    void pointDone(const SweepPoint& p, const PointStats& s) override {
        seen[p.number].numbers = {s.inSpikes.mean(), s.cv.mean(),  s.outSpikes.mean(),
                                  s.q.mean(),        s.score.sd(), s.localScore.sd()};
        done.push_back(p.number);
    }
    bool stopRequested() override {
        return stopAfter > 0 && static_cast<int>(done.size()) >= stopAfter;
    }

    std::map<int, SeenPoint> seen;
    std::vector<int> done;
    int stopAfter = 0;
};

SweepRun threePoints() {
    SweepRun run;
    // Run lengths that differ from point to point, so a worker that goes on
    // to the next point must take up its run length; 7 runs per point, so
    // blocks straddle points.
    run.points = {point(4, 500, 0.5), point(9, 1000, 1.0), point(2, 750, 0.2)};
    run.iterations = 7;
    run.records = RecordText::Formatted;
    return run;
}

TEST(sweep_runner, every_point_is_its_batch_run_alone_whatever_the_threads) {
    const SweepRun run = threePoints();
    RecordingSink alone;
    for (std::size_t n = 0; n < run.points.size(); ++n) {
        const SweepPoint p = run.points[n];
        WorkerKit kit;
        loadSetup(kit, p.setup);
        PointStats stats;
        for (int i = 0; i < run.iterations; ++i) {
            const IterationOutcome outcome = runSetupIteration(kit, p.setup, p.seed, i);
            alone.records(p, outcome.record);
            stats.add(outcome);
        }
        alone.pointDone(p, stats);
    }
    for (const int threads : {1, 2, 5}) {
        RecordingSink sink;
        EXPECT_EQ(runSweep(run, threads, sink, std::nullopt), SweepEnd::Completed);
        EXPECT_EQ(sink.done, (std::vector<int>{4, 9, 2})) << threads;
        for (const auto& [number, seen] : alone.seen) {
            EXPECT_EQ(sink.seen[number].records, seen.records) << threads << " " << number;
            EXPECT_EQ(sink.seen[number].numbers, seen.numbers) << threads << " " << number;
        }
    }
}

TEST(sweep_runner, a_stop_ends_it_with_the_points_done_handed_over) {
    RecordingSink sink;
    sink.stopAfter = 1;
    EXPECT_EQ(runSweep(threePoints(), 1, sink, std::nullopt), SweepEnd::Stopped);
    ASSERT_FALSE(sink.done.empty());
    EXPECT_LT(sink.done.size(), 3u);
    EXPECT_EQ(sink.done.front(), 4);
}

}  // namespace
}  // namespace mirvok
