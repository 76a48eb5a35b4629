#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "record_lists.hpp"
#include "tool_runner.hpp"

namespace mirvok::cli {
namespace {

using test::linesOf;
using test::runTool;
using test::TempDir;
using test::ToolResult;

TEST(verify_command, exits_as_cmp_does_and_closes_with_the_records_checked) {
    TempDir dir;
    ASSERT_EQ(runTool({"batch", "--seed", "5", "--iterations", "6", "--output", "r.csv", "--quiet"},
                      dir.path())
                  .status,
              0);
    // A replay appended to its own source: checked from its own inputs.
    ASSERT_EQ(
        runTool({"replay", "r.csv", "--output", "r.csv", "--append", "--quiet"}, dir.path()).status,
        0);
    const ToolResult same = runTool({"verify", "r.csv", "--quiet"}, dir.path());
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(linesOf(same.out).back(),
              "12 records checked, 0 differ; not checked: the input lists of the batch at line 8");

    std::string text = test::readFile(dir.file("r.csv"));
    text[text.find(";0.", text.find('\n')) + 3] ^= 1;  // a digit of record 0's CV
    test::writeFile(dir.file("r.csv"), text);
    const ToolResult differ = runTool({"verify", "r.csv", "--quiet"}, dir.path());
    EXPECT_EQ(differ.status, 1);
    EXPECT_EQ(linesOf(differ.out).back().rfind("12 records checked, 1 differs;", 0), 0U);
    EXPECT_EQ(linesOf(differ.out)
                  .at(linesOf(differ.out).size() - 2)
                  .rfind("record 0 (line 2): cv: found ", 0),
              0U);

    const ToolResult missing = runTool({"verify", "none.csv"}, dir.path());
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "mirvok-cli: Could not read the file none.csv\n");
    EXPECT_EQ(runTool({"verify", "r.csv", "--gamma1", "x"}, dir.path()).status, 2);
}

TEST(verify_command, a_replay_is_made_again_from_its_source_only_while_that_is_unchanged) {
    TempDir dir;
    ASSERT_EQ(runTool({"batch", "--seed", "3", "--iterations", "4", "--output", "s.csv", "--quiet"},
                      dir.path())
                  .status,
              0);
    std::filesystem::create_directory(dir.file("out"));
    ASSERT_EQ(runTool({"replay", "s.csv", "--output", "out/r.csv", "--quiet"}, dir.path()).status,
              0);
    // Found from the result file's folder, wherever verify runs.
    const ToolResult unchanged = runTool({"verify", "r.csv"}, dir.file("out"));
    EXPECT_EQ(unchanged.status, 0) << unchanged.err;
    EXPECT_EQ(unchanged.out.find("but"), std::string::npos) << unchanged.out;

    test::writeFile(dir.file("s.csv"), test::readFile(dir.file("s.csv")) + "\n");
    const ToolResult changed = runTool({"verify", "out/r.csv"}, dir.path());
    EXPECT_EQ(changed.status, 1) << changed.err;
    EXPECT_NE(changed.out.find("s.csv changed since"), std::string::npos) << changed.out;
    EXPECT_EQ(linesOf(changed.out).back(),
              "4 records checked, 1 differs; not checked: the input lists of the batch at line 1");
}

TEST(verify_command, what_is_no_result_file_is_refused_saying_what_to_verify) {
    TempDir dir;
    ASSERT_EQ(runTool({"sweep", "--vary", "cv=0.1,0.5", "--iterations", "2", "--seed", "1", "--out",
                       "sw", "--quiet"},
                      dir.path())
                  .status,
              0);
    const ToolResult summary = runTool({"verify", "sw/summary.csv"}, dir.path());
    EXPECT_EQ(summary.status, 2);
    EXPECT_EQ(summary.err,
              "mirvok-cli: sw/summary.csv is a sweep's summary: verify the sweep's folder sw\n");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    const ToolResult fifo = runTool({"verify", "fifo"}, dir.path());
    EXPECT_EQ(fifo.status, 2);
    EXPECT_EQ(fifo.err,
              "mirvok-cli: fifo is not a regular file: verify reads a result file or a sweep's "
              "folder\n");
}

}  // namespace
}  // namespace mirvok::cli
