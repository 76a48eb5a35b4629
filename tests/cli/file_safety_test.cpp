#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "record_lists.hpp"
#include "records/provenance.hpp"
#include "tool_runner.hpp"

namespace mirvok::cli {
namespace {

using test::linesOf;
using test::runTool;
using test::TempDir;
using test::ToolResult;

std::size_t linesIn(const std::string& path) {
    const std::string text = test::readFile(path);
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// verify's verdict: its exit status and closing line.
void expectVerified(const std::string& file, const std::string& dir) {
    const ToolResult verdict = runTool({"verify", file, "--quiet"}, dir);
    EXPECT_EQ(verdict.status, 0) << file << ": " << verdict.out << verdict.err;
}

// A batch of short runs into file, with more options.
std::vector<std::string> batchInto(const std::string& file,
                                   const std::vector<std::string>& more = {}) {
    return with({"batch", "--iterations", "3000", "--time", "200", "--seed", "77", "--cv", "0.5",
                 "--quiet", "--output", file},
                more);
}

TEST(file_safety, a_batch_killed_at_any_moment_verifies_and_continues_to_the_whole_batch) {
    TempDir dir;
    ASSERT_EQ(runTool(batchInto("whole.csv"), dir.path()).status, 0);
    const std::string whole = test::readFile(dir.file("whole.csv"));
    const std::string k = dir.file("k.csv");
    for (const std::size_t moment : {std::size_t{1}, std::size_t{40}, std::size_t{1500}}) {
        SCOPED_TRACE(moment);
        // An earlier batch of other values in the file: the killed one replaces it.
        ASSERT_EQ(
            runTool({"batch", "--iterations", "5", "--seed", "1", "--output", "k.csv"}, dir.path())
                .status,
            0);
        const std::string earlier = test::readFile(k);
        const ToolResult killed = test::runToolWithSignal(
            batchInto("k.csv"), dir.path(),
            [&] { return std::filesystem::exists(k + ".prev") && linesIn(k) > moment; }, SIGKILL);
        ASSERT_EQ(killed.status, -1);
        EXPECT_EQ(test::readFile(k + ".prev"), earlier);
        expectVerified("k.csv", dir.path());
        const ToolResult continued = runTool(batchInto("k.csv", {"--continue"}), dir.path());
        ASSERT_EQ(continued.status, 0) << continued.err;
        EXPECT_EQ(test::readFile(k), whole);
        EXPECT_FALSE(std::filesystem::exists(k + ".prev"));
        expectVerified("k.csv", dir.path());
    }
}

TEST(file_safety, a_killed_append_verifies_and_continues_after_the_batches_before_it) {
    TempDir dir;
    ASSERT_EQ(
        runTool({"batch", "--iterations", "20", "--seed", "3", "--output", "k.csv"}, dir.path())
            .status,
        0);
    const std::string earlier = test::readFile(dir.file("k.csv"));
    ASSERT_EQ(runTool(batchInto("whole.csv"), dir.path()).status, 0);
    const ToolResult killed = test::runToolWithSignal(
        batchInto("k.csv", {"--append"}), dir.path(),
        [&] { return linesIn(dir.file("k.csv")) > 100; }, SIGKILL);
    ASSERT_EQ(killed.status, -1);
    expectVerified("k.csv", dir.path());
    ASSERT_EQ(runTool(batchInto("k.csv", {"--continue"}), dir.path()).status, 0);
    EXPECT_EQ(test::readFile(dir.file("k.csv")), earlier + test::readFile(dir.file("whole.csv")));
    const ToolResult verdict = runTool({"verify", "k.csv", "--quiet"}, dir.path());
    EXPECT_EQ(verdict.status, 0) << verdict.out;
    EXPECT_EQ(linesOf(verdict.out).back(), "3020 records checked, 0 differ");
}

TEST(file_safety, a_batch_limited_in_a_new_file_keeps_its_records_described_and_continues) {
    TempDir dir;
    const ToolResult limited =
        test::runToolWithFileLimit(batchInto("k.csv", {"--threads", "2"}), dir.path(), 100);
    EXPECT_EQ(limited.status, 1);
    EXPECT_EQ(limited.err, "mirvok-cli: Could not write the file k.csv\n");
    const auto made = readProvenance(dir.file("k.csv.json"));
    ASSERT_TRUE(made && made->size() == 1);
    EXPECT_EQ(made->back().state, EntryState::Failed);
    EXPECT_EQ(made->back().runs, static_cast<long long>(linesIn(dir.file("k.csv")) - 1));
    expectVerified("k.csv", dir.path());
    ASSERT_EQ(runTool(batchInto("k.csv", {"--continue"}), dir.path()).status, 0);
    ASSERT_EQ(runTool(batchInto("whole.csv"), dir.path()).status, 0);
    EXPECT_EQ(test::readFile(dir.file("k.csv")), test::readFile(dir.file("whole.csv")));
    expectVerified("k.csv", dir.path());
}

TEST(file_safety, a_replay_that_fails_leaves_the_file_it_would_replace_as_it_was) {
    TempDir dir;
    // Record 0 has no output spike, so the first run passes the check before the file is opened.
    ASSERT_EQ(runTool({"batch", "--iterations", "4", "--seed", "7", "--isi", "400", "--cv", "1",
                       "--output", "s.csv"},
                      dir.path())
                  .status,
              0);
    ASSERT_EQ(
        runTool({"batch", "--iterations", "10", "--seed", "1", "--output", "out.csv"}, dir.path())
            .status,
        0);
    const std::string before = test::readFile(dir.file("out.csv"));
    const std::string json = test::readFile(dir.file("out.csv.json"));
    const ToolResult failed =
        runTool({"replay", "s.csv", "--output", "out.csv", "--delta1", "1e308"}, dir.path());
    EXPECT_EQ(failed.status, 2);
    const auto said = linesOf(failed.err);
    ASSERT_EQ(said.size(), 2u) << failed.err;
    EXPECT_TRUE(said[0].starts_with("mirvok-cli: --delta1: ")) << said[0];
    EXPECT_TRUE(said[1].starts_with("mirvok-cli: out.csv stays as it was, the ")) << said[1];
    EXPECT_TRUE(said[1].ends_with(" in out.partial.csv")) << said[1];
    EXPECT_EQ(test::readFile(dir.file("out.csv")), before);
    EXPECT_EQ(test::readFile(dir.file("out.csv.json")), json);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.csv.prev")));
    expectVerified("out.partial.csv", dir.path());
}

}  // namespace
}  // namespace mirvok::cli
