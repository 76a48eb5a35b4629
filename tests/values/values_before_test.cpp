#include "values/values_before.hpp"

#include <gtest/gtest.h>

#include "support/added_value_row.hpp"

namespace mirvok {
namespace {

TEST(values_before, a_file_made_before_a_value_was_added_reads_its_value_before) {
    const AddedRefractory added;
    const Json listed = {{"gamma1", 0.01}};
    EXPECT_EQ(withValuesBefore(listed, "6.1"), Json({{"gamma1", 0.01}, {"refractory", 0.0}}));
    // A file that does not say which version made it lacks it for that reason.
    EXPECT_EQ(withValuesBefore(listed, std::nullopt)["refractory"], 0.0);
    // Made since: a value left out is no earlier file's, and a value given stays.
    EXPECT_EQ(withValuesBefore(listed, "6.2"), listed);
    EXPECT_EQ(withValuesBefore(listed, "6.10"), listed);
    EXPECT_EQ(withValuesBefore({{"refractory", 1.0}}, "6.1")["refractory"], 1.0);
    // The values every file lists are never filled in.
    EXPECT_FALSE(withValuesBefore(listed, "6.1").contains("gamma2"));
}

TEST(values_before, values_filled_in_stand_in_table_order_as_a_file_made_now_lists_them) {
    const AddedRefractory added;
    const Json older = {{"c01", true}, {"time", 300}, {"v1-start", 0.2}};
    Json now = {{"time", 300}, {"v1-start", 0.2}, {"refractory", 0.0}, {"c01", true}};
    // As a row added among the model's values would stand, not at the end.
    EXPECT_EQ(withValuesBefore(older, "6.1").dump(),
              Json({{"time", 300}, {"v1-start", 0.2}, {"refractory", 0.0}, {"c01", true}}).dump());
    EXPECT_EQ(withValuesBefore(older, "6.1"), withValuesBefore(now, "6.1"));
}

}  // namespace
}  // namespace mirvok
