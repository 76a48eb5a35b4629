#include "cli/replay_command.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "record_lists.hpp"
#include "records/provenance.hpp"
#include "support/fixed_live_batch.hpp"
#include "system/sha256.hpp"
#include "tool_runner.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok::cli {
namespace {

using test::linesOf;
using test::runTool;
using test::TempDir;

TEST(replay_command, inputs_of_the_new_records_are_the_outputs_of_the_source) {
    TempDir dir;
    ASSERT_EQ(runTool({"batch", "--iterations", "60", "--seed", "11", "--cv", "0.4", "--output",
                       "src.csv"},
                      dir.path())
                  .status,
              0);
    const auto source = linesOf(test::readFile(dir.file("src.csv")));
    std::string outputs[2];
    int slot = 0;
    for (const char* threads : {"1", "2"}) {
        const auto result = runTool({"replay", "src.csv", "--threads", threads, "--output",
                                     std::string("new") + threads + ".csv", "--delta1", "0.3"},
                                    dir.path());
        ASSERT_EQ(result.status, 0) << result.err;
        outputs[slot++] = result.out;
    }
    EXPECT_EQ(outputs[0], outputs[1]);
    const std::string file = test::readFile(dir.file("new1.csv"));
    EXPECT_EQ(file, test::readFile(dir.file("new2.csv")));
    const auto replayed = linesOf(file);
    ASSERT_EQ(replayed.size(), source.size());
    EXPECT_EQ(replayed[0], "NEW;isi: 20.000000; shape: 2500.000000; #: 100");
    for (std::size_t k = 1; k < source.size(); ++k) {
        EXPECT_EQ(std::stoi(replayed[k].substr(0, 4)), static_cast<int>(k - 1));
        EXPECT_EQ(test::inputListOf(replayed[k]), test::outputListOf(source[k])) << k;
    }
}

TEST(replay_command, file_and_averages_equal_the_cores_replay) {
    TempDir dir;
    ASSERT_EQ(runTool({"batch", "--iterations", "30", "--seed", "5", "--cv", "0.6", "--output",
                       "src.csv"},
                      dir.path())
                  .status,
              0);
    const auto result =
        runTool({"replay", "src.csv", "--epsilon", "0.01", "--output", "cli.csv"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;

    FixedBatchSettings settings;
    settings.target = {dir.file("core.csv"), ResultFileMode::Truncate};
    settings.header.shape = 2500.0;
    settings.reset.eps = 0.01;
    FixedLiveBatch batch(settings);
    SimState state;
    const BatchReport report = batch.runReplay(state, *readReplaySource(dir.file("src.csv")));
    EXPECT_EQ(test::readFile(dir.file("cli.csv")), test::readFile(dir.file("core.csv")));
    EXPECT_EQ(result.out,
              averageText(report.sums, '.') + "\n" + localAverageText(report.sums, '.') + "\n");
}

TEST(replay_command, passes_over_appended_headers_and_may_write_the_file_it_reads) {
    TempDir dir;
    for (const char* seed : {"1", "2"})
        ASSERT_EQ(
            runTool({"batch", "--iterations", "4", "--seed", seed, "--append"}, dir.path()).status,
            0);
    const auto source = linesOf(test::readFile(dir.file("output.csv")));
    ASSERT_EQ(source.size(), 10u);

    // Default output is output.csv: the source is read whole before it is emptied.
    const auto result = runTool({"replay", "output.csv"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    const auto replayed = linesOf(test::readFile(dir.file("output.csv")));
    ASSERT_EQ(replayed.size(), 9u);
    for (int k = 0; k < 8; ++k) {
        const std::string& from = source[k < 4 ? k + 1 : k + 2];
        EXPECT_EQ(test::inputListOf(replayed[k + 1]), test::outputListOf(from)) << k;
    }
}

TEST(replay_command, warns_of_steps_beyond_a_shorter_run) {
    TempDir dir;
    test::writeFile(dir.file("src.csv"),
                    "NEW;isi: 20.000000; shape: 2500.000000; #: 1\n"
                    "   0; 3;0.00; 3;1.00;0.00;\"  10, 500, 900,\";\"  10, 500, 900,\";\n");
    const auto result = runTool({"replay", "src.csv", "--time", "300"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "mirvok-cli: " + skippedStepsMessage(1, 600) + "\n");
    const auto replayed = linesOf(test::readFile(dir.file("output.csv")));
    ASSERT_EQ(replayed.size(), 2u);
    EXPECT_EQ(test::inputListOf(replayed[1]), (std::vector<int>{10, 500}));
}

TEST(replay_command, says_once_how_many_records_it_skipped_or_read_in_part_and_when_none_is_left) {
    TempDir dir;
    const std::string header = "NEW;isi: 20.000000; shape: 2500.000000; #: 100\n";
    test::writeFile(dir.file("src.csv"),
                    header +
                        "   0; 3;0.00; 3;1.00;0.00;\"  10, 500, 900,\";\"  10, 500, 900,\";\n" +
                        "   1; 1;0.00; 1;1.00;0.00;\"  39,\";\"39;78;118\";\n" +
                        "   2; 2;0.00; 2;1.00;0.00;\"  40,  80,\";\"  41,  8");
    const auto result = runTool({"replay", "src.csv"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err,
              "mirvok-cli: 1 damaged record was skipped\n"
              "mirvok-cli: 1 record holds text in its output list that is no step: each was "
              "replayed up to it\n");
    const auto replayed = linesOf(test::readFile(dir.file("output.csv")));
    ASSERT_EQ(replayed.size(), 3u);
    EXPECT_EQ(test::inputListOf(replayed[1]), (std::vector<int>{10, 500, 900}));
    EXPECT_EQ(test::inputListOf(replayed[2]), (std::vector<int>{39}));

    test::writeFile(dir.file("empty.csv"), header);
    const auto empty = runTool({"replay", "empty.csv"}, dir.path());
    ASSERT_EQ(empty.status, 0) << empty.err;
    EXPECT_EQ(empty.err, "mirvok-cli: empty.csv holds no record to replay\n");
    EXPECT_EQ(test::readFile(dir.file("output.csv")), header);
}

TEST(replay_command, a_value_its_first_record_refuses_leaves_every_file_as_it_was) {
    TempDir dir;
    ASSERT_EQ(
        runTool({"batch", "--iterations", "20", "--seed", "1", "--output", "src.csv"}, dir.path())
            .status,
        0);
    const std::string source = test::readFile(dir.file("src.csv"));
    test::writeFile(dir.file("out.csv"), "earlier results\n");
    for (const char* output : {"src.csv", "out.csv"}) {
        const auto result =
            runTool({"replay", "src.csv", "--output", output, "--delta1", "1e308"}, dir.path());
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "mirvok-cli: --delta1: Floating point overflow\n");
    }
    EXPECT_EQ(test::readFile(dir.file("src.csv")), source);
    EXPECT_EQ(test::readFile(dir.file("out.csv")), "earlier results\n");
}

// The lines of the file a replay writes beside its source, once there is one.
std::size_t linesBeside(const std::string& dir, const std::string& source) {
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("." + source + ".") && name.ends_with(".tmp")) {
            const std::string text = test::readFile(entry.path().string());
            return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        }
    }
    return 0;
}

TEST(replay_command, into_its_own_source_replaces_it_only_once_complete) {
    TempDir dir;
    ASSERT_EQ(runTool({"batch", "--iterations", "20000", "--seed", "1", "--time", "200", "--output",
                       "self.csv", "--quiet"},
                      dir.path())
                  .status,
              0);
    const std::string source = test::readFile(dir.file("self.csv"));
    const std::string made = test::readFile(dir.file("self.csv.json"));
    const std::vector<std::string> args{"replay", "self.csv", "--output", "self.csv",
                                        "--time", "200",      "--quiet"};
    const auto stopped = test::runToolWithSignal(
        args, dir.path(), [&] { return linesBeside(dir.path(), "self.csv") > 50; }, SIGINT);
    ASSERT_EQ(stopped.status, 130) << stopped.err;
    const std::string partial = test::readFile(dir.file("self.partial.csv"));
    const std::size_t runs = linesOf(partial).size() - 1;
    EXPECT_EQ(stopped.err, "mirvok-cli: interrupted after " + std::to_string(runs) +
                               " of 20000 runs; self.csv stays as it was, the runs made are in "
                               "self.partial.csv\n");
    EXPECT_EQ(test::readFile(dir.file("self.csv")), source);
    EXPECT_EQ(test::readFile(dir.file("self.csv.json")), made);
    EXPECT_EQ(readProvenance(dir.file("self.partial.csv.json"))->front().runs,
              static_cast<long long>(runs));

    ASSERT_EQ(runTool(args, dir.path()).status, 0);
    const std::string replayed = test::readFile(dir.file("self.csv"));
    EXPECT_EQ(replayed.substr(0, partial.size()), partial);
    const auto replay = readProvenance(dir.file("self.csv.json"));
    ASSERT_TRUE(replay && replay->size() == 1);
    Sha256 sum;
    sum.update(source);
    EXPECT_EQ(replay->front().more["source_sha256"], sum.hexDigest());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              4);  // self.csv and self.partial.csv with their .json: nothing left beside
}

TEST(replay_command, a_killed_replay_into_its_source_leaves_nothing_a_later_one_keeps) {
    TempDir dir;
    ASSERT_EQ(runTool({"batch", "--iterations", "20000", "--seed", "1", "--time", "200", "--output",
                       "self.csv", "--quiet"},
                      dir.path())
                  .status,
              0);
    const std::string source = test::readFile(dir.file("self.csv"));
    const auto killed = test::runToolWithSignal(
        {"replay", "self.csv", "--output", "self.csv", "--quiet", "--time", "200"}, dir.path(),
        [&] { return linesBeside(dir.path(), "self.csv") > 50; }, SIGKILL);
    ASSERT_EQ(killed.status, -1);
    EXPECT_EQ(test::readFile(dir.file("self.csv")), source);
    // Left unchanged for longer than a writer may take to lock it.
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        std::filesystem::last_write_time(entry.path(), past);

    // Into the source through a link: the file and its FILE.json change together.
    std::filesystem::create_symlink("self.csv", dir.file("link.csv"));
    ASSERT_EQ(runTool({"replay", "self.csv", "--output", "link.csv", "--quiet", "--time", "200"},
                      dir.path())
                  .status,
              0);
    EXPECT_EQ(readProvenance(dir.file("self.csv.json"))->front().command, "replay");
    EXPECT_FALSE(std::filesystem::exists(dir.file("link.csv.json")));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"link.csv", "self.csv", "self.csv.json"}));
}

}  // namespace
}  // namespace mirvok::cli
