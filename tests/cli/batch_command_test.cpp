#include "cli/batch_command.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>

#include "record_lists.hpp"
#include "records/provenance.hpp"
#include "support/fixed_live_batch.hpp"
#include "system/machine_memory.hpp"
#include "tool_runner.hpp"

namespace mirvok::cli {
namespace {

using test::linesOf;
using test::runTool;
using test::TempDir;

std::vector<std::string> batchArgs(const std::string& output, const std::string& threads,
                                   const std::vector<std::string>& extra) {
    std::vector<std::string> args{"batch", "--seed",    "7",     "--output",
                                  output,  "--threads", threads, "--quiet"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

TEST(batch_command, result_file_is_byte_identical_for_every_thread_count) {
    const std::vector<std::vector<std::string>> settings{
        {},
        {"--iterations", "150", "--isi", "5", "--cv", "0.5", "--isi-jitter", "2"},
        {"--iterations", "40", "--quantify"},
        {"--iterations", "40", "--quantify", "--c01"},
        {"--iterations", "30", "--segment", "700:10:1", "--segment", "1999:30:0.1"},
    };
    TempDir dir;
    for (const auto& extra : settings) {
        SCOPED_TRACE(::testing::PrintToString(extra));
        const auto one = runTool(batchArgs("one.csv", "1", extra), dir.path());
        const auto two = runTool(batchArgs("two.csv", "2", extra), dir.path());
        const auto many = runTool(batchArgs("many.csv", "64", extra), dir.path());
        ASSERT_EQ(one.status, 0) << one.err;
        ASSERT_EQ(two.status, 0) << two.err;
        ASSERT_EQ(many.status, 0) << many.err;
        EXPECT_EQ(one.out, two.out);
        EXPECT_EQ(one.out, many.out);
        const std::string file = test::readFile(dir.file("one.csv"));
        EXPECT_EQ(file, test::readFile(dir.file("two.csv")));
        EXPECT_EQ(file, test::readFile(dir.file("many.csv")));
    }
}

TEST(batch_command, file_and_averages_equal_the_cores_batch_loop) {
    TempDir dir;
    const auto result =
        runTool({"batch", "--iterations", "25", "--seed", "42", "--isi", "10", "--cv", "0.25",
                 "--gamma2", "0.008", "--c0", "0.2", "--output", "cli.csv", "--threads", "2"},
                dir.path());
    ASSERT_EQ(result.status, 0) << result.err;

    FixedBatchSettings settings;
    settings.target = {dir.file("core.csv"), ResultFileMode::Truncate};
    settings.header = {10.0, 16.0, 25};
    settings.generator.isi = 10.0;
    settings.generator.cv = 0.25;
    settings.rates.g2 = 0.008;
    settings.analysis.c0Value = 0.2;
    FixedLiveBatch batch(settings);
    SimState state;
    const BatchReport report = batch.runGenerated(state, 42);

    EXPECT_EQ(test::readFile(dir.file("cli.csv")), test::readFile(dir.file("core.csv")));
    EXPECT_EQ(result.out, averageText(report.sums, '.') + "\n" +
                              localAverageText(report.sums, '.') + "\nseed: 42\n");
}

TEST(batch_command, writes_header_and_records_in_order_then_the_averages_and_seed) {
    TempDir dir;
    const auto result = runTool(
        {"batch", "--iterations", "12", "--seed", "3", "--cv", "0.5", "--isi", "12.5"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");  // no progress line when standard error is no terminal
    const auto out = linesOf(result.out);
    ASSERT_EQ(out.size(), 3u) << result.out;
    for (const auto& [line, label] : {std::pair{out[0], "avg: "}, std::pair{out[1], "avl: "}}) {
        EXPECT_EQ(line.rfind(label, 0), 0u) << line;
        EXPECT_EQ(line.size() - line.find('.'), 6u) << line;  // five decimals, full stop
    }
    EXPECT_EQ(out[2], "seed: 3");
    const auto lines = linesOf(test::readFile(dir.file("output.csv")));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "NEW;isi: 12.500000; shape: 4.000000; #: 12");
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(std::stoi(lines[i + 1].substr(0, 4)), i);
        EXPECT_FALSE(test::inputListOf(lines[i + 1]).empty());
    }
}

TEST(batch_command, append_keeps_earlier_batches_and_a_clock_seed_repeats) {
    TempDir dir;
    const auto first = runTool({"batch", "--iterations", "3", "--output", "r.csv"}, dir.path());
    ASSERT_EQ(first.status, 0) << first.err;
    const auto out = linesOf(first.out);
    ASSERT_EQ(out.size(), 3u);
    ASSERT_EQ(out[2].rfind("seed: ", 0), 0u);
    const std::string seed = out[2].substr(6);
    const std::string firstFile = test::readFile(dir.file("r.csv"));

    const auto again =
        runTool({"batch", "--iterations", "3", "--output", "r.csv", "--append", "--seed", seed},
                dir.path());
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, first.out);
    EXPECT_EQ(test::readFile(dir.file("r.csv")), firstFile + firstFile);

    const auto none = runTool({"batch", "--iterations", "0", "--output", "r.csv"}, dir.path());
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(test::readFile(dir.file("r.csv")), "NEW;isi: 20.000000; shape: 2500.000000; #: 0\n");
    EXPECT_EQ(none.out.substr(0, 16), "avg: -\navl: -\nse");
}

TEST(batch_command, a_full_disk_keeps_the_file_replaced_and_the_whole_records_that_fit_beside_it) {
    TempDir dir;
    const std::vector<std::string> args{"batch", "--seed",       "4",  "--quiet", "--output",
                                        "r.csv", "--iterations", "200"};
    ASSERT_EQ(runTool(args, dir.path()).status, 0);
    const std::string complete = test::readFile(dir.file("r.csv"));

    const auto full = test::runToolWithFileLimit(args, dir.path(), 16);
    EXPECT_EQ(full.status, 1);
    const std::string part = test::readFile(dir.file("r.partial.csv"));
    const std::size_t records = linesOf(part).size() - 1;
    EXPECT_EQ(full.err,
              "mirvok-cli: Could not write the file r.csv\nmirvok-cli: r.csv stays as it "
              "was, the " +
                  std::to_string(records) + " records made are in r.partial.csv\n");
    EXPECT_EQ(test::readFile(dir.file("r.csv")), complete);
    ASSERT_GT(records, 1u);
    ASSERT_LT(part.size(), complete.size());
    EXPECT_EQ(part, complete.substr(0, part.size()));
    EXPECT_EQ(part.back(), '\n');
}

std::size_t linesIn(const std::string& path) {
    const std::string text = test::readFile(path);
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(batch_command, an_interrupted_batch_continued_equals_the_batch_never_interrupted) {
    TempDir dir;
    const std::string file = dir.file("output.csv");
    const std::vector<std::string> args{"batch", "--iterations", "10000", "--time",
                                        "200",   "--threads",    "2",     "--quiet"};
    const auto stopped = test::runToolWithSignal(
        args, dir.path(), [&] { return linesIn(file) > 50; }, SIGINT);
    ASSERT_EQ(stopped.status, 130) << stopped.err;
    // The clock's seed comes first, then how far the batch got.
    const std::string seed = stopped.err.substr(6, stopped.err.find('\n') - 6);
    const std::size_t runs = linesIn(file) - 1;
    EXPECT_EQ(stopped.err, "seed: " + seed + "\nmirvok-cli: interrupted after " +
                               std::to_string(runs) + " of 10000 runs; seed: " + seed +
                               " (add --continue --seed " + seed + " to go on)\n");
    EXPECT_EQ(test::readFile(file).back(), '\n');
    // A writer killed inside the next record leaves it cut off.
    const std::string interrupted = test::readFile(file) + "  99; 5;0.1";
    test::writeFile(file, interrupted);

    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> all = args;
        all.insert(all.end(), extra.begin(), extra.end());
        return all;
    };
    const std::vector<std::vector<std::string>> refused{
        {"--continue", "--seed", std::to_string(std::stoi(seed) + 1)},
        {"--continue", "--seed", seed, "--gamma1", "0.01"},
        {"--continue", "--seed", seed, "--iterations", "9999"},
        {"--continue", "--seed", seed, "--time", "201"},
    };
    for (const auto& extra : refused) {
        const auto result = runTool(with(extra), dir.path());
        EXPECT_EQ(result.status, 2) << extra[2];
        EXPECT_EQ(result.err.rfind("mirvok-cli: --continue: ", 0), 0U) << result.err;
        EXPECT_EQ(test::readFile(file), interrupted);
    }
    // A value that leaves the header and often the last record as they were.
    EXPECT_EQ(runTool(with(refused.back()), dir.path()).err,
              "mirvok-cli: --continue: the last batch in output.csv was made with time 200, this "
              "batch with time 201\n");

    const auto continued = runTool(with({"--continue", "--seed", seed}), dir.path());
    ASSERT_EQ(continued.status, 0) << continued.err;
    // FILE.json keeps the interrupted batch's entry and adds the continuation's.
    const auto made = readProvenance(file + ".json");
    ASSERT_TRUE(made && made->size() == 2);
    EXPECT_EQ(made->front().runs, static_cast<long long>(runs));
    EXPECT_EQ(made->back().more["continued_from"], runs);
    EXPECT_EQ(made->back().runs, static_cast<long long>(10000 - runs));
    const auto whole = runTool(with({"--seed", seed, "--output", "whole.csv"}), dir.path());
    ASSERT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(test::readFile(file), test::readFile(dir.file("whole.csv")));

    // A replay stops the same way, on SIGTERM too.
    const auto replay = test::runToolWithSignal(
        {"replay", "whole.csv", "--quiet", "--output", "again.csv"}, dir.path(),
        [&] { return linesIn(dir.file("again.csv")) > 50; }, SIGTERM);
    ASSERT_EQ(replay.status, 143) << replay.err;
    EXPECT_EQ(replay.err, "mirvok-cli: interrupted after " +
                              std::to_string(linesIn(dir.file("again.csv")) - 1) +
                              " of 10000 runs\n");
    EXPECT_EQ(test::readFile(dir.file("again.csv")).back(), '\n');
}

TEST(batch_command, a_second_writer_of_a_result_file_is_refused_while_the_first_writes) {
    TempDir dir;
    const std::string file = dir.file("nr.csv");
    const std::vector<std::string> first{"batch", "--iterations", "1000000", "--seed",
                                         "1",     "--output",     "nr.csv",  "--quiet"};
    test::ToolResult second;
    const auto running = test::runToolWithSignal(
        first, dir.path(),
        [&] {
            if (linesIn(file) < 10) return false;
            second =
                runTool({"batch", "--seed", "2", "--output", "nr.csv", "--append"}, dir.path());
            return true;
        },
        SIGTERM);
    EXPECT_EQ(running.status, 143) << running.err;
    EXPECT_EQ(second.status, 1);
    EXPECT_TRUE(second.err.starts_with(
        "mirvok-cli: nr.csv is being written by another Mirvok process (pid "))
        << second.err;
    // Only the first batch's header: the second never wrote.
    const std::string written = test::readFile(file);
    EXPECT_EQ(std::count(written.begin(), written.end(), 'N'), 1);
}

TEST(batch_command, a_batch_beyond_the_memory_available_is_refused_before_the_file_is_touched) {
    // Each run as long as this machine allows one run to be, on 256 threads:
    // no machine has that much memory available, whatever its size.
    const std::uint64_t memory = physicalMemoryBytes();
    if (memory == 0) GTEST_SKIP() << "the system does not tell its memory";
    const std::uint64_t steps = std::min<std::uint64_t>(memory / 2 / 18, INT_MAX);
    TempDir dir;
    test::writeFile(dir.file("output.csv"), "keep");
    const auto result = runTool(
        {"batch", "--time", std::to_string(steps / 2), "--threads", "256", "--iterations", "256"},
        dir.path());
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.rfind("mirvok-cli: The batch needs ", 0), 0u) << result.err;
    EXPECT_EQ(test::readFile(dir.file("output.csv")), "keep");
}

}  // namespace
}  // namespace mirvok::cli
