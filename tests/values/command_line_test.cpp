#include "values/command_line.hpp"

#include <gtest/gtest.h>

namespace mirvok {
namespace {

TEST(command_line, lists_the_values_in_table_order_then_segments_seed_ticks_and_output) {
    BatchCommand command{.iterations = "8",
                         .values = {{"cv", "0.25"}, {"time", "300"}, {"not-a-value", "1"}},
                         .segments = {segmentText(299, 12.5, 16.0), segmentText(599, 20, 4.0)},
                         .seed = 7,
                         .quantify = true,
                         .c01 = true,
                         .output = "/tmp/my results/it's.csv",
                         .append = true};
    EXPECT_EQ(batchCommandLine(command),
              "mirvok-cli batch --iterations 8 --time 300 --cv 0.25 --segment 299:12.5:0.25 "
              "--segment 599:20:0.5 --seed 7 --quantify --c01 --output "
              "'/tmp/my results/it'\\''s.csv' --append");
    // Without a seed the command takes one from the clock; c01 goes only with quantify.
    command = {.iterations = "1", .c01 = true, .output = "o.csv"};
    EXPECT_EQ(batchCommandLine(command), "mirvok-cli batch --iterations 1 --output o.csv");
}

}  // namespace
}  // namespace mirvok
