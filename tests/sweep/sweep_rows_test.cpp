#include "sweep/sweep_rows.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

// A sweep of four points (cv 0.1 and 1 by isi 20 and 2500, seed 7, three
// runs each) as version 6.1 wrote it.
const std::string kEarlier = std::string(MIRVOK_TEST_DATA) + "/v6.1/whole";

TEST(sweep_rows, a_row_stands_for_its_point_only_when_whole_and_of_this_sweep) {
    const auto sweep = parseDescription(testing::readFile(kEarlier + "/sweep.json"));
    ASSERT_TRUE(sweep);
    const std::string row = testing::readFile(kEarlier + "/points/p-00001.row");
    ASSERT_EQ(row, "1,0.1,2500,1863946190,3,0,0,0,0,0,0,0,0,1,0,0,0\n");
    const struct {
        std::string text;
        int point;
        bool taken;
    } cases[] = {
        {row, 1, true},
        {"1,1e-1,2.5e3,1863946190,3,0,0,0,0,0,0,0,0,1,NaN,0,0\n", 1, true},  // same numbers
        {row, 2, false},                                                     // another point's
        {"", 1, false},                                                      // emptied
        {row.substr(0, row.size() - 1), 1, false},                        // cut before its newline
        {"1,0.1,2500,1863946190,3,0,0,0,0,0,0,0,0,1,0\n", 1, false},      // cut at a comma
        {row + row, 1, false},                                            // two lines
        {"1,0.1,2500,1863946191,3,0,0,0,0,0,0,0,0,1,0,0,0\n", 1, false},  // another seed
        {"1,0.1,2500,1863946190,4,0,0,0,0,0,0,0,0,1,0,0,0\n", 1, false},  // other runs
        {"1,0.1,20,1863946190,3,0,0,0,0,0,0,0,0,1,0,0,0\n", 1, false},    // another isi
        {"1,0.1,2500,1863946190,3,0,0,0,0,0,0,0,0,1,0,0,x\n", 1, false},  // no number
        {"1,0.1,2500,1863946190,3,0,0,0,0,0,0,0,0,1,0,0,\n", 1, false},   // an empty one
        {"01,0.1,2500,1863946190,3,0,0,0,0,0,0,0,0,1,0,0,0\n", 1, false},
        {"4,0.1,2500,1863946190,3,0,0,0,0,0,0,0,0,1,0,0,0\n", 4, false},  // beyond the grid
    };
    for (const auto& c : cases) EXPECT_EQ(isRowOf(c.text, *sweep, c.point), c.taken) << c.text;
}

}  // namespace
}  // namespace mirvok
