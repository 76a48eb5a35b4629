#include "cli/generate_command.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "record_lists.hpp"
#include "records/spike_list_file.hpp"
#include "support/other_writer.hpp"
#include "system/machine_memory.hpp"
#include "tool_runner.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok::cli {
namespace {

using test::runTool;
using test::TempDir;

std::vector<int> trainIn(const std::string& path) {
    return parseSpikeTrainText(test::readFile(path));
}

std::string jsonList(const std::vector<int>& steps) {
    std::string text = "[";
    for (std::size_t i = 0; i < steps.size(); ++i)
        text += (i > 0 ? "," : "") + std::to_string(steps[i]);
    return text + "]";
}

TEST(generate_command, writes_a_train_that_run_reads_back_and_batch_draws_alike) {
    TempDir dir;
    const auto gen =
        runTool({"generate", "--out", "t.txt", "--seed", "5", "--cv", "0.3"}, dir.path());
    ASSERT_EQ(gen.status, 0) << gen.err;
    EXPECT_EQ(gen.out, "seed: 5\n");
    const std::vector<int> train = trainIn(dir.file("t.txt"));
    ASSERT_GT(train.size(), 20u);
    EXPECT_TRUE(std::is_sorted(train.begin(), train.end()));
    EXPECT_EQ(test::readFile(dir.file("t.txt")),
              formatSpikeList(std::vector<int>(train.begin(), train.end())));

    const auto run = runTool({"run", "--train", "t.txt"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"input_spikes\":" + jsonList(train) + ","), std::string::npos);

    // The same seed makes the same train as the first run of a batch.
    ASSERT_EQ(
        runTool({"batch", "--iterations", "1", "--seed", "5", "--cv", "0.3"}, dir.path()).status,
        0);
    const auto records = test::linesOf(test::readFile(dir.file("output.csv")));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(test::inputListOf(records[1]), train);
}

TEST(generate_command, segments_give_each_part_of_the_run_its_own_interval) {
    TempDir dir;
    const auto gen = runTool({"generate", "--out", "t.txt", "--seed", "9", "--segment",
                              "999:5:0.02", "--segment", "1999:50:0.02"},
                             dir.path());
    ASSERT_EQ(gen.status, 0) << gen.err;
    const auto train = trainIn(dir.file("t.txt"));
    const auto firstHalf =
        std::count_if(train.begin(), train.end(), [](int s) { return s <= 999; });
    // 10-step intervals up to step 999, then 100-step intervals.
    EXPECT_NEAR(static_cast<double>(firstHalf), 99.0, 2.0);
    EXPECT_NEAR(static_cast<double>(train.size() - firstHalf), 10.0, 1.0);
}

TEST(generate_command, a_cv_down_to_a_millionth_is_drawn) {
    TempDir dir;
    // Drawing at this shape is slow: one interval of 40 steps in a short run.
    const auto gen =
        runTool({"generate", "--out", "t.txt", "--seed", "2", "--cv", "0.000001", "--time", "30"},
                dir.path());
    ASSERT_EQ(gen.status, 0) << gen.err;
    const auto train = trainIn(dir.file("t.txt"));
    ASSERT_EQ(train.size(), 1u);
    EXPECT_NEAR(train[0], 40.0, 1.0);
}

TEST(generate_command, a_clock_seed_is_printed_and_repeats_the_train) {
    TempDir dir;
    const auto first = runTool({"generate", "--out", "a.txt", "--time", "500"}, dir.path());
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_EQ(first.out.rfind("seed: ", 0), 0u);
    const std::string seed = first.out.substr(6, first.out.size() - 7);
    ASSERT_EQ(std::to_string(std::stoull(seed)), seed);
    const auto again =
        runTool({"generate", "--out", "b.txt", "--time", "500", "--seed", seed}, dir.path());
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(test::readFile(dir.file("a.txt")), test::readFile(dir.file("b.txt")));
    EXPECT_LE(trainIn(dir.file("a.txt")).back(), 999);
}

TEST(generate_command, a_train_beyond_the_memory_available_is_refused_before_it_is_drawn) {
    // About 1.6e9 spikes of 20 bytes each.
    const std::optional<std::uint64_t> available = availableMemoryBytes();
    if (!available || *available > (30ULL << 30))
        GTEST_SKIP() << "more memory than the train needs";
    TempDir dir;
    const auto refused = runTool(
        {"generate", "--out", "t.txt", "--time", "100000000", "--isi", "0.0625"}, dir.path());
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.starts_with("mirvok-cli: the train needs about ")) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("t.txt")));
}

TEST(generate_command, a_spike_list_another_process_writes_is_refused_before_any_work) {
    TempDir dir;
    test::writeFile(dir.file("t.csv"), "10,20,");
    test::writeFile(dir.file("out.csv"), "theirs");
    const testing::OtherWriter other(dir.file("out.csv"));
    ASSERT_TRUE(other.held());
    const std::string busy =
        "mirvok-cli: out.csv is being written by another Mirvok process (pid " +
        std::to_string(other.pid()) + ")\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"generate", "--out", "out.csv", "--seed", "1"},
          std::vector<std::string>{"run", "--train", "t.csv", "--save-output", "out.csv"}}) {
        const test::ToolResult result = runTool(args, dir.path());
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_EQ(result.err, busy);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(test::readFile(dir.file("out.csv")), "theirs");
}

}  // namespace
}  // namespace mirvok::cli
