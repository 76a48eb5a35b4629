#include "batch/batch_memory.hpp"

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"

namespace mirvok {
namespace {

TEST(batch_memory, a_batch_that_does_not_fit_names_the_threads_that_would_or_the_run_time) {
    // Runs of 1,000,000 steps: 8 of them and the records held take 32 MB.
    const RunSize run{1000000, 2500};
    EXPECT_EQ(planBatch(1000, 8, run, 33000000).workers, 8);
    EXPECT_EQ(planBatch(1000, 8, run, std::nullopt).workers, 8);  // not known: not checked
    const struct {
        std::uint64_t available;
        const char* advice;
    } cases[] = {
        {31000000, "use at most 7 threads, or a shorter run time"},
        {12000000, "use at most 2 threads, or a shorter run time"},
        {6000000, "use at most 1 thread, or a shorter run time"},
        {4000000, "choose a shorter run time"},
    };
    for (const auto& c : cases) {
        EXPECT_THROW_MSG(planBatch(1000, 8, run, c.available), InputError,
                         "The batch needs 32 MB of memory, " +
                             std::to_string(c.available / 1000000) +
                             " MB are available: " + c.advice);
    }
}

TEST(batch_memory, expected_spikes_follow_the_shortest_mean_interval) {
    GeneratorSettings settings;
    EXPECT_EQ(expectedSpikes(2000, settings), 50u);  // 1000 ms at 20 ms
    settings.isiJitter = -10.0;
    EXPECT_EQ(expectedSpikes(2000, settings), 100u);  // as short as 10 ms
    settings.segmentMode = true;
    settings.segments = {{0, 999, 2500, 3000}, {5.0, 50.0, 1.0}, {1.0, 1.0, 1.0}};
    // 100 and 10.01 spikes, rounded up; the third segment lies beyond the run.
    EXPECT_EQ(expectedSpikes(2000, settings), 111u);
}

}  // namespace
}  // namespace mirvok
