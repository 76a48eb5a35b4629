#include "batch/ordered_runner.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <stdexcept>
#include <thread>

namespace mirvok {
namespace {

// Later indices finish sooner, so outcomes arrive out of order.
IterationOutcome slowFirst(int index, int count) {
    std::this_thread::sleep_for(std::chrono::microseconds((count - index) % 7 * 50));
    IterationOutcome outcome;
    outcome.record = std::to_string(index);
    return outcome;
}

TEST(ordered_runner, hands_outcomes_over_in_index_order_for_any_thread_count) {
    for (int threads : {1, 2, 3, 8}) {
        for (int count : {0, 1, 5, 300}) {
            std::vector<int> seen;
            std::set<int> workers;
            std::mutex mutex;
            runOrdered(
                count, threads,
                [&](int worker, int index) {
                    {
                        std::lock_guard lock(mutex);
                        workers.insert(worker);
                    }
                    return slowFirst(index, count);
                },
                [&](int index, IterationOutcome& outcome) {
                    EXPECT_EQ(outcome.record, std::to_string(index));
                    seen.push_back(index);
                });
            ASSERT_EQ(seen.size(), static_cast<std::size_t>(count)) << threads;
            for (int i = 0; i < count; ++i) EXPECT_EQ(seen[i], i);
            for (int w : workers) EXPECT_LT(w, std::min(threads, count));
        }
    }
}

TEST(ordered_runner, a_failing_iteration_stops_the_run_after_the_ones_before_it) {
    for (int threads : {1, 4}) {
        std::vector<int> seen;
        auto work = [](int, int index) {
            if (index == 37) throw std::runtime_error("iteration 37");
            return slowFirst(index, 100);
        };
        EXPECT_THROW(runOrdered(100, threads, work,
                                [&](int index, IterationOutcome&) { seen.push_back(index); }),
                     std::runtime_error);
        EXPECT_EQ(seen.size(), 37u);
    }
}

TEST(ordered_runner, a_failing_sink_stops_the_workers) {
    int calls = 0;
    EXPECT_THROW(runOrdered(
                     100000, 3, [](int, int index) { return slowFirst(index, 7); },
                     [&](int index, IterationOutcome&) {
                         ++calls;
                         if (index == 10) throw std::runtime_error("disk full");
                     }),
                 std::runtime_error);
    EXPECT_EQ(calls, 11);
}

}  // namespace
}  // namespace mirvok
