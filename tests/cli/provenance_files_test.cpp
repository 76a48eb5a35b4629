#include <gtest/gtest.h>

#include "record_lists.hpp"
#include "tool_runner.hpp"
#include "version/version.hpp"

namespace mirvok::cli {
namespace {

using test::linesOf;
using test::runTool;
using test::TempDir;

void expectHas(const std::string& entry, const std::vector<std::string>& members) {
    for (const std::string& member : members)
        EXPECT_NE(entry.find(member), std::string::npos) << member << " in " << entry;
}

TEST(provenance_files, batch_and_replay_say_beside_their_file_how_each_part_was_made) {
    TempDir dir;
    ASSERT_EQ(runTool({"batch", "--seed", "5", "--iterations", "4", "--gamma1", "0.01", "--output",
                       "r.csv"},
                      dir.path())
                  .status,
              0);
    ASSERT_EQ(runTool({"batch", "--seed", "6", "--iterations", "3", "--output", "r.csv", "--append",
                       "--segment", "1999:10:0.5"},
                      dir.path())
                  .status,
              0);
    const auto batches = linesOf(test::readFile(dir.file("r.csv.json")));
    ASSERT_EQ(batches.size(), 4u);  // the list's brackets and one line per batch
    EXPECT_EQ(batches.front(), "[");
    EXPECT_EQ(batches.back(), "]");
    expectHas(batches[1], {"\"program\": \"mirvok-cli\"", std::string("\"version\": \"") + kVersion,
                           "\"command\": \"batch\"", "\"gamma1\": 0.01", "\"seed\": 5",
                           "\"iterations\": 4", "\"runs\": 4", "\"started\": \"", "\"ended\": \""});
    expectHas(batches[2], {"\"gamma1\": 0.009",
                           "\"segments\": [{\"end\": 1999, \"isi\": 10, "
                           "\"shape\": 4}]",
                           "\"seed\": 6", "\"runs\": 3"});

    ASSERT_EQ(
        runTool({"replay", "r.csv", "--output", "p.csv", "--delta2", "0.25"}, dir.path()).status,
        0);
    const auto replay = linesOf(test::readFile(dir.file("p.csv.json")));
    ASSERT_EQ(replay.size(), 3u);
    expectHas(replay[1], {"\"command\": \"replay\"", "\"delta2\": 0.25", "\"source\": \"r.csv\"",
                          "\"iterations\": 7", "\"runs\": 7"});
}

}  // namespace
}  // namespace mirvok::cli
