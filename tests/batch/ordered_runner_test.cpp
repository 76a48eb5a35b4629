#include "batch/ordered_runner.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>

namespace mirvok {
namespace {

// Later indices finish sooner, so blocks arrive out of order.
IterationOutcome slowFirst(int index, int count) {
    std::this_thread::sleep_for(std::chrono::microseconds((count - index) % 7 * 50));
    IterationOutcome outcome;
    outcome.record = std::to_string(index);
    return outcome;
}

// Adds the indices the sink receives to seen, in the order it receives them.
void collect(const RunnerPlan& plan, const IterationWork& work, std::vector<int>& seen) {
    runOrdered(plan, work, [&](int first, std::span<IterationOutcome> block) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            EXPECT_EQ(block[i].record, std::to_string(first + static_cast<int>(i)));
            seen.push_back(first + static_cast<int>(i));
        }
    });
}

TEST(ordered_runner, hands_outcomes_over_in_index_order_for_any_thread_count) {
    for (int threads : {1, 2, 3, 8}) {
        for (int count : {0, 1, 5, 300}) {
            for (std::size_t outcomeBytes : {std::size_t{100}, std::size_t{1} << 30}) {
                const RunnerPlan plan = planRun(count, threads, outcomeBytes);
                std::set<int> workers;
                std::mutex mutex;
                std::vector<int> seen;
                auto work = [&](int worker, int index) {
                    {
                        std::lock_guard lock(mutex);
                        workers.insert(worker);
                    }
                    return slowFirst(index, count);
                };
                collect(plan, work, seen);
                ASSERT_EQ(seen.size(), static_cast<std::size_t>(count)) << threads;
                for (int i = 0; i < count; ++i) EXPECT_EQ(seen[i], i);
                for (int w : workers) EXPECT_LT(w, std::min(threads, count));
            }
        }
    }
}

TEST(ordered_runner, plans_blocks_of_a_few_dozen_that_shrink_for_few_or_large_outcomes) {
    const struct {
        int count, threads;
        std::size_t outcomeBytes;
        int workers, blockSize;
        std::size_t held;
    } cases[] = {
        {40000, 2, 300, 2, 64, 320},
        {40000, 64, 300, 64, 64, 8256},
        {40000, 256, 300, 256, 39, 20007},
        {100, 2, 300, 2, 12, 60},
        {100, 8, 300, 8, 3, 51},
        {5, 8, 300, 5, 1, 11},
        {40000, 2, 20000, 2, 13, 65},
        {40000, 2, 5000000, 2, 1, 3},
        {0, 4, 300, 1, 1, 3},
    };
    for (const auto& c : cases) {
        const RunnerPlan plan = planRun(c.count, c.threads, c.outcomeBytes);
        EXPECT_EQ(plan.workers, c.workers) << c.count << " " << c.threads;
        EXPECT_EQ(plan.blockSize, c.blockSize) << c.count << " " << c.threads;
        EXPECT_EQ(plan.heldOutcomes(), c.held) << c.count << " " << c.threads;
    }
}

TEST(ordered_runner, a_failing_iteration_stops_the_run_after_the_ones_before_it) {
    for (int threads : {1, 4}) {
        const RunnerPlan plan = planRun(100, threads, 100);
        ASSERT_NE(37 % plan.blockSize, 0);  // the block of 37 holds earlier outcomes too
        std::vector<int> seen;
        auto work = [](int, int index) {
            if (index == 37) throw std::runtime_error("iteration 37");
            return slowFirst(index, 100);
        };
        EXPECT_THROW(collect(plan, work, seen), std::runtime_error);
        ASSERT_EQ(seen.size(), 37u);
        for (int i = 0; i < 37; ++i) EXPECT_EQ(seen[i], i);
    }
}

TEST(ordered_runner, a_failing_sink_stops_the_workers) {
    int calls = 0;
    const RunnerPlan plan = planRun(100000, 3, 100);
    EXPECT_THROW(runOrdered(
                     plan, [](int, int index) { return slowFirst(index, 7); },
                     [&](int first, std::span<IterationOutcome>) {
                         ++calls;
                         if (first >= 10 * plan.blockSize) throw std::runtime_error("disk full");
                     }),
                 std::runtime_error);
    EXPECT_EQ(calls, 11);
}

TEST(ordered_runner, a_stop_ends_the_run_after_the_blocks_handed_over_and_stops_the_workers) {
    for (int threads : {1, 3}) {
        const RunnerPlan plan = planRun(10000, threads, 100);
        std::atomic<bool> stop{false};
        std::atomic<int> startedAfterStop{0};
        auto work = [&](int, int index) {
            if (stop) ++startedAfterStop;
            // Iteration 200 lasts until the stop, so the sink waits for its
            // block when the stop comes.
            while (index == 200 && !stop) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return slowFirst(index, 7);
        };
        std::thread stopper([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            stop = true;
        });
        std::vector<int> seen;
        const int handed = runOrdered(
            plan, work,
            [&](int first, std::span<IterationOutcome> block) {
                for (std::size_t i = 0; i < block.size(); ++i)
                    seen.push_back(first + static_cast<int>(i));
            },
            [&] { return stop.load(); });
        stopper.join();
        EXPECT_EQ(handed, 200 / plan.blockSize * plan.blockSize) << threads;
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(handed));
        for (int i = 0; i < handed; ++i) EXPECT_EQ(seen[i], i);
        // Each worker ends with the iteration it was in.
        EXPECT_LE(startedAfterStop, threads);
    }
}

}  // namespace
}  // namespace mirvok
