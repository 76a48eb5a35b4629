#include "sweep/sweep_table.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// A sweep of four points over cv and isi, 3 runs each, as version 6.1 wrote
// it run whole (summary.csv, every row and record kept) and split in two.
const std::string kEarlier = std::string(MIRVOK_TEST_DATA) + "/v6.1";

std::string copied(const TempDir& dir, const std::string& which) {
    std::filesystem::copy(kEarlier + "/" + which, dir.file("s"),
                          std::filesystem::copy_options::recursive);
    return dir.file("s");
}

std::vector<bool> present(const SweepTable& table) {
    std::vector<bool> out;
    for (const auto& row : table.points) out.push_back(row.has_value());
    return out;
}

TEST(sweep_table, reads_every_point_of_a_whole_sweep_a_split_one_and_one_still_running) {
    TempDir dir;
    const std::string whole = copied(dir, "whole");
    const SweepTable table = readSweepTable(SweepFolder(whole));
    ASSERT_EQ(present(table), (std::vector<bool>{true, true, true, true}));
    const SweepPointRow& third = *table.points[2];
    EXPECT_EQ(third.seed, 843700592U);
    EXPECT_EQ(third.runs, 3);
    ASSERT_EQ(third.results.size(), sweepResultColumns().size());
    EXPECT_EQ(third.results[2], 1.0472174121916626);  // cv_mean
    EXPECT_EQ(third.results.back(), 0.20033599621430873);
    EXPECT_TRUE(table.damaged.empty());

    // Before the join, from the parts alone (rows copied elsewhere).
    TempDir split;
    const std::string parts = copied(split, "split");
    std::filesystem::remove_all(parts + "/points");
    EXPECT_EQ(readSweepTable(SweepFolder(parts)).found(), 4);

    // Still running: the rows of the points done so far.
    std::filesystem::remove(whole + "/summary.csv");
    std::filesystem::remove(whole + "/points/p-00001.row");
    std::filesystem::remove(whole + "/points/p-00003.row");
    const SweepTable running = readSweepTable(SweepFolder(whole));
    EXPECT_EQ(present(running), (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(running.points[2]->results, third.results);
}

TEST(sweep_table, a_damaged_or_foreign_row_is_missing_and_counted) {
    TempDir dir;
    const std::string folder = copied(dir, "whole");
    std::filesystem::remove(folder + "/summary.csv");
    const std::string row0 = readFile(folder + "/points/p-00000.row");
    const std::string row2 = readFile(folder + "/points/p-00002.row");
    writeFile(folder + "/points/p-00000.row", row0.substr(0, row0.size() - 5));  // cut
    writeFile(folder + "/points/p-00001.row", "1" + row2.substr(1));             // another point's
    const SweepTable table = readSweepTable(SweepFolder(folder));
    EXPECT_EQ(present(table), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(table.damaged, (std::vector<int>{0, 1}));
}

TEST(sweep_table, a_summary_whose_provenance_names_another_sweep_is_not_read) {
    TempDir dir;
    const std::string folder = copied(dir, "whole");
    std::filesystem::remove_all(folder + "/points");
    std::filesystem::remove(folder + "/summary.csv.json");
    EXPECT_EQ(readSweepTable(SweepFolder(folder)).found(), 0);
}

TEST(sweep_table, a_row_of_its_point_gives_its_seed_runs_and_results) {
    TempDir dir;
    const SweepDescription d = *SweepFolder(copied(dir, "whole")).description();
    const std::string row = "2,1,20,843700592,3,14,5,1.04,0.55,14,5,1,0,1.07,0.82,0.56,NaN\n";
    // Which rows stand for a point is isRowOf's; what is read of them:
    const std::optional<SweepPointRow> read = pointRowOf(d, 2, row);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->seed, 843700592U);
    EXPECT_EQ(read->runs, 3);
    EXPECT_EQ(read->results.front(), 14.0);
    EXPECT_TRUE(std::isnan(read->results.back()));
    EXPECT_FALSE(pointRowOf(d, 3, row));
}

}  // namespace
}  // namespace mirvok
