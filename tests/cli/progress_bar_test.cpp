#include "cli/progress_bar.hpp"

#include <gtest/gtest.h>

namespace mirvok::cli {
namespace {

TEST(progress_bar, line_shows_runs_done_rate_and_time_left) {
    EXPECT_EQ(progressLine(0, 1000, 0.0), "[..............................]    0/1000 runs");
    EXPECT_EQ(progressLine(250, 1000, 0.5),
              "[#######.......................]  250/1000 runs   500 runs/s   0:02 left");
    EXPECT_EQ(progressLine(1, 10000, 1.0),
              "[..............................]     1/10000 runs   1 runs/s   2:46:39 left");
    EXPECT_EQ(progressLine(7, 7, 2.0),
              "[##############################] 7/7 runs   4 runs/s   0:00 left");
}

TEST(progress_bar, draws_nothing_when_disabled) {
    std::FILE* sink = std::tmpfile();
    {
        ProgressBar bar(100, false, sink);
        bar.update(50);
    }
    EXPECT_EQ(std::ftell(sink), 0);
    {
        ProgressBar bar(100, true, sink);
        bar.update(100);
    }
    EXPECT_GT(std::ftell(sink), 0);
    std::fclose(sink);
}

}  // namespace
}  // namespace mirvok::cli
