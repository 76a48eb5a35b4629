#include "cli/option_values.hpp"

#include <gtest/gtest.h>

#include "cli/option_error.hpp"

namespace mirvok::cli {
namespace {

TEST(option_values, converts_with_the_full_stop_and_blanks_as_the_window_does) {
    ModelTexts model;
    model.time = " 250 ";
    model.gamma1 = "+1.5E-2";
    model.epsilon = ".5";
    const ModelValues v = toModelValues(model);
    EXPECT_EQ(v.reset.time, 250);
    EXPECT_EQ(v.rates.g1, 0.015);
    EXPECT_EQ(v.reset.eps, 0.5);
    EXPECT_EQ(v.reset.v1, 0.2);
    EXPECT_EQ(v.rates.d2, 0.3);

    const FixedAnalysisParams a = toAnalysisParams(AnalysisTexts{});
    EXPECT_EQ(a.ignSteps, 0);
    EXPECT_EQ(a.rangeIntervals, 5);
    EXPECT_EQ(a.c0Value, 0.3333);
}

TEST(option_values, seed_and_threads_are_checked_or_taken_from_the_machine) {
    EXPECT_EQ(seedOption(std::string("2147483647")), 2147483647u);
    EXPECT_LT(seedOption(std::nullopt), 2147483648u);
    EXPECT_THROW(seedOption(std::string("2147483648")), OptionError);
    EXPECT_EQ(threadsOption(std::string("3")), 3);
    EXPECT_GE(threadsOption(std::nullopt), 1);
    EXPECT_THROW(threadsOption(std::string("-2")), OptionError);
    EXPECT_THROW(doubleOption("--x", "1e999999"), OptionError);
    EXPECT_THROW(runLengthOption("2000000000"), OptionError);
}

}  // namespace
}  // namespace mirvok::cli
