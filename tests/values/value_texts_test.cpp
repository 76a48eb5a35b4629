#include "values/value_texts.hpp"

#include <gtest/gtest.h>

#include "support/expect_throw_msg.hpp"
#include "values/value_table.hpp"

namespace mirvok {
namespace {

BatchSetup setupOf(const NamedTexts& texts, std::vector<std::string> segments = {}) {
    return batchSetupFrom(texts, segments);
}

// Names and reason of what batchSetupFrom refused.
std::string refusal(const NamedTexts& texts, std::vector<std::string> segments = {}) {
    try {
        setupOf(texts, std::move(segments));
    } catch (const ValueError& e) {
        return e.option() + "|" + e.keyword() + "|" + e.what();
    }
    return "accepted";
}

TEST(value_texts, convert_with_the_full_stop_and_blanks_and_default_what_is_not_given) {
    const BatchSetup s = setupOf({{"time", " 250 "}, {"gamma1", "+1.5E-2"}, {"cv", ".3"}});
    EXPECT_EQ(s.reset.time, 250);
    EXPECT_EQ(s.steps, 500);
    EXPECT_EQ(s.rates.g1, 0.015);
    EXPECT_EQ(s.generator.cv, 0.3);
    // The header's shape as the window writes 1/cv^2 into its box.
    EXPECT_EQ(s.headerShape, 11.1111111111111);
    EXPECT_EQ(s.rates.d2, BatchSetup{}.rates.d2);
    EXPECT_EQ(s.analysis.c0Value, BatchSetup{}.analysis.c0Value);
    EXPECT_FALSE(s.generator.segmentMode);
}

// Each row sets the field its getter reads, and no other row's; a run reads
// the value there under its own key, and every key a run reads has its row.
TEST(value_texts, every_value_reaches_its_own_field_where_a_run_reads_it) {
    const std::vector<NamedValue> defaults = batchValues(setupOf({}));
    for (const ValueRow& row : valueTable()) {
        const bool integer = row.kind == ValueKind::Integer;
        const double given = integer ? 7.0 : 0.1234;
        const BatchSetup setup = setupOf({{row.option, integer ? "7" : "0.1234"}});
        const std::vector<NamedValue> values = batchValues(setup);
        ASSERT_EQ(values.size(), defaults.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values[i].value, values[i].name == row.option ? given : defaults[i].value)
                << row.option << " moved " << values[i].name;
        if (row.runValue) {
            EXPECT_EQ(SetupValues(setup).value(*row.runValue), given) << row.option;
        }
    }
    for (std::size_t k = 0; k < kRunValues; ++k)
        EXPECT_EQ(rowOfRunValue(static_cast<RunValue>(k)).runValue, static_cast<RunValue>(k)) << k;
}

TEST(value_texts, refused_values_are_named_as_option_and_keyword) {
    EXPECT_EQ(refusal({{"v1-start", "0,2"}}),
              "v1-start|v1_start|'0,2' is not a valid floating point value");
    EXPECT_EQ(refusal({{"range", "2.5"}}), "range|range|'2.5' is not a valid integer value");
    // The run length against memory, and the cv's shape, under their values.
    EXPECT_EQ(refusal({{"time", "2000000000"}}).rfind("time|time|", 0), 0u);
    EXPECT_EQ(refusal({{"cv", "0"}}), "cv|cv|Floating point division by zero");
    // The first refused value in the order the values are listed.
    EXPECT_EQ(refusal({{"cv", "x"}, {"gamma1", "y"}}),
              "gamma1|gamma1|'y' is not a valid floating point value");
}

TEST(value_texts, segments_build_the_lists_of_an_interval_definition) {
    const BatchSetup s = setupOf({{"time", "600"}}, {"400:10:1", "800:20:0.5", "1199:30:1"});
    EXPECT_TRUE(s.generator.segmentMode);
    EXPECT_EQ(s.generator.segments.bounds, (std::vector<int>{0, 400, 800, 1199}));
    EXPECT_EQ(s.generator.segments.isi, (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(s.generator.segments.shape, (std::vector<double>{1, 4, 1}));
}

TEST(value_texts, refused_segments_say_why) {
    const struct {
        std::vector<std::string> segments;
        const char* message;
    } cases[] = {
        {{"1199:20"}, "'1199:20' is not of the form END:ISI:CV"},
        {{"1199:20:1:2"}, "'1199:20:1:2' is not of the form END:ISI:CV"},
        {{"x:20:1"}, "'x' is not a valid integer value"},
        {{"1200:20:1"}, "END 1200 lies beyond the last step 1199"},
        {{"600:20:1", "600:20:1"}, "END 600 is not right of the previous END 600"},
        {{"0:20:1"}, "END 0 is not right of the previous END 0"},
        {{"1199:20:1", "1199:20:1"},
         "'1199:20:1' comes after the segment that ends at the last step 1199"},
        {{"600:20:1"}, "the last END must be the run's last step 1199"},
        {{"1199:20:0,5"}, "'0,5' is not a valid floating point value"},
        {{"1199:20:0"}, "Floating point division by zero"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusal({{"time", "600"}}, c.segments),
                  std::string("segment|segments|") + c.message);
}

TEST(value_texts, seed_threads_and_iterations_are_checked_or_taken_from_the_machine) {
    EXPECT_EQ(seedFrom("2147483647"), 2147483647u);
    EXPECT_LT(seedOrClock(std::nullopt), 2147483648u);
    EXPECT_THROW_MSG(seedFrom("2147483648"), ValueError,
                     "'2147483648' is not a valid integer value");
    EXPECT_THROW_MSG(seedFrom("-1"), ValueError, "'-1' is not a valid seed");
    EXPECT_EQ(threadsFrom(std::string("3")), 3);
    EXPECT_GE(threadsFrom(std::nullopt), 1);
    EXPECT_THROW_MSG(threadsFrom(std::string("0")), ValueError, "'0' is not a valid thread count");
    EXPECT_EQ(threadsFrom(std::string("256")), 256);
    EXPECT_THROW_MSG(threadsFrom(std::string("257")), ValueError,
                     "'257' is not a valid thread count: at most 256");
    EXPECT_EQ(iterationsFrom("0"), 0);
    EXPECT_THROW_MSG(iterationsFrom("-1"), ValueError, "'-1' is not a valid number of runs");
}

}  // namespace
}  // namespace mirvok
