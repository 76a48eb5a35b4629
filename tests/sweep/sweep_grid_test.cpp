#include "sweep/sweep_grid.hpp"

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"

namespace mirvok {
namespace {

using Texts = std::vector<std::string>;

TEST(sweep_grid, lists_and_ranges_give_the_texts_a_batch_option_would_get) {
    const struct {
        const char* spec;
        Texts texts;
    } cases[] = {
        {"cv=0.005,0.01,0.02", {"0.005", "0.01", "0.02"}},
        {"cv=0.15:0.35:0.1", {"0.15", "0.25", "0.35"}},  // no drift: the last is TO itself
        {"c0=0:1:0.1",
         {"0.0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0"}},
        {"epsilon=1e-3:3e-3:1e-3", {"0.001", "0.002", "0.003"}},
        {"time=500:1200:250", {"500", "750", "1000"}},  // never beyond TO
        {"v1-start=-0.1:0.1:0.1", {"-0.1", "0.0", "0.1"}},
        {"gamma1=0.1:0.35:0.1", {"0.1", "0.2", "0.3"}},  // TO's extra decimal compared exactly
        {"ign=5:5:1", {"5"}},
        {"isi=7", {"7"}},
    };
    for (const auto& c : cases) EXPECT_EQ(parseSweepAxis(c.spec).texts, c.texts) << c.spec;
}

TEST(sweep_grid, refuses_what_no_sweep_can_run) {
    const struct {
        std::vector<std::string> specs;
        const char* message;
    } cases[] = {
        {{"cv"}, "'cv' is not of the form NAME=VALUES"},
        {{"cv="}, "cv has no values"},
        {{"cv=0.1,,0.2"}, "'0.1,,0.2' holds an empty value"},
        {{"cv=0.1:0.2"}, "'0.1:0.2' is not a range FROM:TO:STEP"},
        {{"cv=0.1:0.2:0"}, "STEP must be greater than 0 in 0.1:0.2:0"},
        {{"cv=0.1:0.2:-0.1"}, "STEP must be greater than 0 in 0.1:0.2:-0.1"},
        {{"cv=0.1:x:0.1"}, "'x' in 0.1:x:0.1 is not a decimal number of at most 18 decimals"},
        {{"cv=1e-30:1:1"}, "'1e-30' in 1e-30:1:1 is not a decimal number of at most 18 decimals"},
        {{"cv=0.3:0.1:0.1"}, "cv has no values"},
        {{"cv=0.1", "gamma1=1", "cv=0.2"}, "cv is varied twice"},
        {{"cv=1:1000:1", "gamma1=1:1001:1"}, "the grid has more than 1000000 points"},
    };
    for (const auto& c : cases) {
        SweepGrid grid;
        EXPECT_THROW_MSG(for (const std::string& spec
                              : c.specs) grid.add(parseSweepAxis(spec)),
                         InputError, c.message);
    }
    EXPECT_THROW_MSG_STARTS(parseSweepAxis("speed=1,2"), InputError,
                            "'speed' is not a number option of batch (time, v1-start, ");
}

TEST(sweep_grid, points_run_through_the_product_with_the_last_axis_fastest) {
    SweepGrid grid;
    grid.add(parseSweepAxis("cv=0.1,0.2"));
    grid.add(parseSweepAxis("gamma1=1,2,3"));
    ASSERT_EQ(grid.points(), 6);
    EXPECT_EQ(grid.pointTexts(0), (Texts{"0.1", "1"}));
    EXPECT_EQ(grid.pointTexts(1), (Texts{"0.1", "2"}));
    EXPECT_EQ(grid.pointTexts(3), (Texts{"0.2", "1"}));
    EXPECT_EQ(grid.pointTexts(5), (Texts{"0.2", "3"}));
}

}  // namespace
}  // namespace mirvok
