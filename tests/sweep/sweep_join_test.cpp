#include "sweep/sweep_join.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/errors.hpp"
#include "records/provenance.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;

// The same sweep of four points, whole and split in two, as version 6.1
// wrote them.
const std::string kEarlier = std::string(MIRVOK_TEST_DATA) + "/v6.1";

TEST(sweep_join, the_parts_of_an_earlier_version_join_to_the_summary_of_the_whole) {
    TempDir dir;
    std::filesystem::copy(kEarlier + "/split", dir.file("s"),
                          std::filesystem::copy_options::recursive);
    const SweepFolder folder(dir.file("s"));
    EXPECT_EQ(joinSweep(folder, "mirvok-cli", std::chrono::system_clock::now()),
              dir.file("s/summary.csv"));
    EXPECT_EQ(readFile(dir.file("s/summary.csv")), readFile(kEarlier + "/whole/summary.csv"));
    const auto joined = readProvenance(dir.file("s/summary.csv.json"));
    ASSERT_TRUE(joined);
    EXPECT_EQ(joined->front().command, "join");
    EXPECT_EQ(joined->front().runs, 12);
    EXPECT_EQ(
        joined->front().more["sweep"],
        readProvenance(kEarlier + "/split/summary.part-1-of-2.csv.json")->front().more["sweep"]);
}

TEST(sweep_join, a_sweep_run_as_one_part_joins_from_the_rows_of_its_points) {
    TempDir dir;
    std::filesystem::copy(kEarlier + "/whole", dir.file("s"),
                          std::filesystem::copy_options::recursive);
    std::filesystem::remove(dir.file("s/summary.csv"));
    const SweepFolder folder(dir.file("s"));
    joinSweep(folder, "mirvok-cli", std::chrono::system_clock::now());
    EXPECT_EQ(readFile(dir.file("s/summary.csv")), readFile(kEarlier + "/whole/summary.csv"));
    EXPECT_EQ(readProvenance(dir.file("s/summary.csv.json"))->front().command, "join");

    // Not with a point's row missing, nor when summary.csv was another
    // sweep's (this sweep.json edited since).
    const std::string none =
        "'" + folder.path() + "' holds no part summaries " + "(summary.part-K-of-N.csv)";
    std::filesystem::rename(folder.rowFile(3), dir.file("row"));
    EXPECT_THROW_MSG(joinSweep(folder, "mirvok-cli", {}), Error, none);
    std::filesystem::rename(dir.file("row"), folder.rowFile(3));
    std::string json = readFile(folder.descriptionFile());
    json.replace(json.find("0.006"), 5, "0.007");  // gamma2
    testing::writeFile(folder.descriptionFile(), json);
    EXPECT_THROW_MSG(joinSweep(folder, "mirvok-cli", {}), Error, none);
}

TEST(sweep_join, a_part_summary_holding_a_row_of_another_sweep_is_refused) {
    TempDir dir;
    std::filesystem::copy(kEarlier + "/split", dir.file("s"),
                          std::filesystem::copy_options::recursive);
    // Point 2's row with the seed of another sweep's point 2.
    const std::string part = dir.file("s/summary.part-1-of-2.csv");
    std::string text = readFile(part);
    text.replace(text.find(",843700592,"), 11, ",843700593,");
    testing::writeFile(part, text);
    EXPECT_THROW_MSG(joinSweep(SweepFolder(dir.file("s")), "mirvok-cli", {}), Error,
                     part + " does not hold the points of part 1 of 2");
}

TEST(sweep_join, a_part_summary_gives_its_rows_only_when_it_holds_its_points_in_order) {
    const std::string head = "point,cv,seed\n";
    const struct {
        std::string text;
        bool taken;
    } cases[] = {
        {head + "1,0.2,5\n4,0.5,8\n", true},
        {head + "1,0.2,5\n", false},                        // point 4 missing
        {head + "1,0.2,5\n4,0.5,8\n7,0.8,9\n", false},      // a point beyond the sweep
        {head + "4,0.5,8\n1,0.2,5\n", false},               // out of order
        {head + "1,0.2,5\n4,0.5,8", false},                 // the last row cut
        {head + "1,0.2,5\n4\n", false},                     // no point number with its comma
        {head + "01,0.2,5\n4,0.5,8\n", false},              // a number written otherwise
        {"point,cv,seed,runs\n1,0.2,5\n4,0.5,8\n", false},  // another header
        {"point,cv,seed", false},
    };
    for (const auto& c : cases) {
        std::string header = head;
        std::vector<std::string> rows(6);
        EXPECT_EQ(takePartRows(c.text, {2, 3}, header, rows), c.taken) << c.text;
        if (c.taken) {
            EXPECT_EQ(rows, (std::vector<std::string>{"", "1,0.2,5\n", "", "", "4,0.5,8\n", ""}));
        }
    }
}

}  // namespace
}  // namespace mirvok
