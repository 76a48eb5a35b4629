#include <gtest/gtest.h>

#include "record_lists.hpp"
#include "records/provenance.hpp"
#include "tool_runner.hpp"

namespace mirvok::cli {
namespace {

using test::linesOf;
using test::runTool;
using test::TempDir;

// The entries of FILE.json, after checking that it lists one per line.
std::vector<Provenance> entriesOf(const std::string& path, std::size_t count) {
    const std::string text = test::readFile(path);
    const auto lines = linesOf(text);
    EXPECT_EQ(lines.size(), count + 2) << text;  // the list's brackets and one line per entry
    EXPECT_EQ(lines.front(), "[");
    EXPECT_EQ(lines.back(), "]");
    return parseProvenance(text);
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
    const auto batches = entriesOf(dir.file("r.csv.json"), 2);
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0].program, "mirvok-cli");
    EXPECT_EQ(batches[0].version, kVersion);
    EXPECT_EQ(batches[0].command, "batch");
    EXPECT_EQ(batches[0].values["gamma1"], 0.01);
    EXPECT_EQ(batches[0].seed, 5u);
    EXPECT_EQ(batches[0].iterations, 4);
    EXPECT_EQ(batches[0].runs, 4);
    EXPECT_LE(batches[0].started, batches[0].ended);
    EXPECT_EQ(batches[1].values["gamma1"], 0.009);
    EXPECT_EQ(batches[1].values["segments"], Json::parse(R"([{"end":1999,"isi":10,"shape":4}])"));
    EXPECT_EQ(batches[1].seed, 6u);
    EXPECT_EQ(batches[1].runs, 3);

    ASSERT_EQ(
        runTool({"replay", "r.csv", "--output", "p.csv", "--delta2", "0.25"}, dir.path()).status,
        0);
    const auto replay = entriesOf(dir.file("p.csv.json"), 1);
    ASSERT_EQ(replay.size(), 1u);
    EXPECT_EQ(replay[0].command, "replay");
    EXPECT_EQ(replay[0].values["delta2"], 0.25);
    EXPECT_EQ(replay[0].source, "r.csv");
    EXPECT_EQ(replay[0].iterations, 7);
    EXPECT_EQ(replay[0].runs, 7);
}

}  // namespace
}  // namespace mirvok::cli
