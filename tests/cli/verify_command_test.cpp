#include <gtest/gtest.h>

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
    EXPECT_EQ(linesOf(same.out).back(), "12 records checked, 0 differ");

    std::string text = test::readFile(dir.file("r.csv"));
    text[text.find(";0.", text.find('\n')) + 3] ^= 1;  // a digit of record 0's CV
    test::writeFile(dir.file("r.csv"), text);
    const ToolResult differ = runTool({"verify", "r.csv", "--quiet"}, dir.path());
    EXPECT_EQ(differ.status, 1);
    EXPECT_EQ(linesOf(differ.out).back(), "12 records checked, 1 differ");
    EXPECT_EQ(linesOf(differ.out)
                  .at(linesOf(differ.out).size() - 2)
                  .rfind("record 0 (line 2): cv: found ", 0),
              0U);

    const ToolResult missing = runTool({"verify", "none.csv"}, dir.path());
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "mirvok-cli: Could not read the file none.csv\n");
    EXPECT_EQ(runTool({"verify", "r.csv", "--gamma1", "x"}, dir.path()).status, 2);
}

}  // namespace
}  // namespace mirvok::cli
