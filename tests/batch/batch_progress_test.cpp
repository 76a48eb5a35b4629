#include "batch/batch_progress.hpp"

#include <gtest/gtest.h>

namespace mirvok {
namespace {

TEST(batch_progress, text_gives_runs_of_total_then_pace_and_time_left_once_known) {
    struct Case {
        long long done, total;
        double seconds;
        BatchState state;
        const char* text;
    };
    const Case cases[] = {
        {0, 50000, 0.0, BatchState::Running, "0 of 50000"},
        {3354, 50000, 2.0, BatchState::Running, "3354 of 50000, 1677 runs/s, 0:28 left"},
        {5, 5, 0.5, BatchState::Running, "5 of 5, 10 runs/s"},
        {6, 3, 1.0, BatchState::Running, "6 of 3, 6 runs/s"},        // the count lowered meanwhile
        {3, 50000, 1.0, BatchState::Ended, "3 of 50000, 3 runs/s"},  // stopped
    };
    for (const Case& c : cases)
        EXPECT_EQ(progressText(c.done, c.total, c.seconds, c.state), c.text) << c.text;
}

TEST(batch_progress, line_shows_runs_done_rate_and_time_left) {
    EXPECT_EQ(progressLine(0, 1000, 0.0), "[..............................]    0/1000 runs");
    EXPECT_EQ(progressLine(250, 1000, 0.5),
              "[#######.......................]  250/1000 runs   500 runs/s   0:02 left");
    EXPECT_EQ(progressLine(1, 10000, 1.0),
              "[..............................]     1/10000 runs   1 runs/s   2:46:39 left");
    EXPECT_EQ(progressLine(7, 7, 2.0),
              "[##############################] 7/7 runs   4 runs/s   0:00 left");
}

}  // namespace
}  // namespace mirvok
