#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "text/number_format.hpp"
#include "tool_runner.hpp"

namespace mirvok::cli {
namespace {

using test::runTool;
using test::TempDir;

std::vector<std::filesystem::path> temporariesIn(const std::string& folder) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path().extension() == ".tmp") found.push_back(entry.path());
    return found;
}

TEST(sweep_writers, a_second_process_of_the_same_part_is_refused_and_a_killed_ones_leftovers_go) {
    TempDir dir;
    std::vector<std::string> args{
        "sweep", "--out",        "s",    "--vary",  "cv=0.1:4:0.1",  "--seed", "2", "--threads",
        "1",     "--iterations", "1000", "--quiet", "--keep-records"};
    test::ToolResult second, otherPart;
    const auto killed = test::runToolWithSignal(
        args, dir.path(),
        [&] {
            if (!std::filesystem::exists(dir.file("s/points/p-00000.row")) ||
                temporariesIn(dir.file("s/points")).empty())
                return false;
            second = runTool(args, dir.path());
            auto part = args;
            part.insert(part.end(), {"--part", "2/40"});
            otherPart = runTool(part, dir.path());
            return true;
        },
        SIGKILL);
    EXPECT_EQ(killed.status, -1);
    EXPECT_EQ(second.status, 1);
    EXPECT_TRUE(second.err.starts_with(
        "mirvok-cli: s/summary.csv is being written by another Mirvok process (pid "))
        << second.err;
    EXPECT_EQ(otherPart.status, 0) << otherPart.err;

    // What the killed process was writing, as the next run finds it later.
    const auto left = temporariesIn(dir.file("s/points"));
    ASSERT_FALSE(left.empty());
    for (const auto& path : left)
        std::filesystem::last_write_time(
            path, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
    const auto again = runTool(args, dir.path());
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.err, "mirvok-cli: removed " +
                             counted(static_cast<long long>(left.size()), "temporary file") +
                             " that ended processes left in s/points\n");
    EXPECT_TRUE(temporariesIn(dir.file("s/points")).empty());
}

}  // namespace
}  // namespace mirvok::cli
