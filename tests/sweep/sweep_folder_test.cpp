#include "sweep/sweep_folder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// A sweep of four points split in two, as version 6.1 wrote it.
const std::string kEarlierSplit = std::string(MIRVOK_TEST_DATA) + "/v6.1/split";
// The same sweep run whole, with its points' result files.
const std::string kEarlierWhole = std::string(MIRVOK_TEST_DATA) + "/v6.1/whole";

SweepDescription described(int seed) {
    SweepDescription d;
    d.values = batchValuesJson(BatchSetup{}, {"cv"});
    d.vary = {{"cv", {0.1, 1.0}}};
    d.iterations = 3;
    d.seed = static_cast<std::uint64_t>(seed);
    d.points = 2;
    return d;
}

TEST(sweep_folder, the_first_claim_writes_the_description_and_another_sweep_is_refused) {
    TempDir dir;
    const SweepFolder folder(dir.file("s"));
    EXPECT_FALSE(folder.holdsOther(described(1)));
    EXPECT_TRUE(folder.claim(described(1)));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("s/points")));
    EXPECT_EQ(readFile(folder.descriptionFile()), descriptionText(described(1)));
    EXPECT_TRUE(folder.claim(described(1)));
    EXPECT_FALSE(folder.claim(described(2)));
    EXPECT_TRUE(folder.holdsOther(described(2)));
    EXPECT_TRUE(sameSweep(folder.description().value(), described(1)));

    writeFile(folder.descriptionFile(), "{\"values\": {}}");
    EXPECT_TRUE(folder.holdsOther(described(1)));
    EXPECT_THROW_MSG(folder.description(), Error,
                     folder.descriptionFile() + " does not describe a sweep");
}

TEST(sweep_folder, its_contents_read_as_values) {
    TempDir dir;
    EXPECT_EQ(readSweepFolder(SweepFolder(dir.file("none"))).description, std::nullopt);

    std::filesystem::copy(kEarlierSplit, dir.file("s"), std::filesystem::copy_options::recursive);
    writeFile(dir.file("s/points/p-7.row"), "not a point's name\n");
    writeFile(dir.file("s/summary.part-01-of-2.csv"), "nor a part's\n");
    std::filesystem::remove(dir.file("s/points/p-00002.row"));
    writeFile(dir.file("s/points/p-00001.row"), "");
    const SweepFolderContents contents = readSweepFolder(SweepFolder(dir.file("s")));
    ASSERT_TRUE(contents.description);
    EXPECT_EQ(contents.description->points, 4);
    EXPECT_EQ(contents.rows, (std::vector<int>{0, 3}));
    EXPECT_EQ(contents.damaged, (std::vector<int>{1}));
    EXPECT_EQ(contents.parts, (std::map<int, std::set<int>>{{2, {1, 2}}}));
    EXPECT_FALSE(contents.summary);
}

TEST(sweep_folder, a_point_is_done_only_with_a_row_of_this_sweep_and_its_kept_records) {
    TempDir dir;
    std::filesystem::copy(kEarlierWhole, dir.file("s"), std::filesystem::copy_options::recursive);
    const SweepFolder folder(dir.file("s"));
    const SweepDescription sweep = folder.description().value();
    writeFile(folder.rowFile(1), readFile(folder.rowFile(3)));  // another point's row
    std::filesystem::remove(folder.rowFile(2));
    std::filesystem::remove(folder.recordsFile(3));
    const StoredPoint expected[] = {StoredPoint::Done, StoredPoint::Damaged, StoredPoint::Missing,
                                    StoredPoint::Missing};
    for (int p = 0; p < 4; ++p) EXPECT_EQ(folder.stored(sweep, p), expected[p]) << p;
    EXPECT_EQ(summaryFromRows(folder, sweep, {1, 2}), std::nullopt);
    EXPECT_THROW_MSG(writePartSummary(folder, sweep, {2, 2}, "mirvok-cli", {}), Error,
                     "the points of " + folder.summaryFile({2, 2}) + " are not all done in " +
                         folder.path() + "/points: run the sweep again");
    EXPECT_FALSE(std::filesystem::exists(folder.summaryFile({2, 2})));
}

}  // namespace
}  // namespace mirvok
