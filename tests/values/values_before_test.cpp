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

}  // namespace
}  // namespace mirvok
