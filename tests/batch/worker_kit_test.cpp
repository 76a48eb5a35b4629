#include "batch/worker_kit.hpp"

#include <gtest/gtest.h>

namespace mirvok {
namespace {

TEST(worker_kit, workers_never_exceed_the_runs_nor_a_few_hundred_threads) {
    const struct {
        int threads, count, workers;
    } cases[] = {
        {1, 100, 1}, {2, 100, 2},       {8, 3, 3},         {4, 0, 1},
        {4, -5, 1},  {256, 10000, 256}, {257, 10000, 256}, {100000, 100000, 256},
    };
    for (const auto& c : cases)
        EXPECT_EQ(workersFor(c.threads, c.count), c.workers) << c.threads << " " << c.count;
}

}  // namespace
}  // namespace mirvok
