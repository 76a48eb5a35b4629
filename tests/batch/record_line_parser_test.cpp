#include "batch/record_line_parser.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace mirvok {
namespace {

using Steps = std::vector<long long>;

TEST(record_line_parser, reads_the_output_list_of_a_line) {
    struct Case {
        const char* name;
        std::string line;
        Steps steps;
    };
    const Case cases[] = {
        {"written record",
         "   0; 3;0.02; 2;0.67;1.00;\"  40,  80, 120,\";\"  41,  81,\";",
         {41, 81}},
        {"CR LF line end", "   0; 1;0.00; 1;1.00;1.00;\"  40,\";\"  41,  81,\";\r\n", {41, 81}},
        {"bare line feed", "   0; 1;0.00; 1;1.00;1.00;\"  40,\";\"  41,  81,\";\n", {41, 81}},
        {"empty output list", "   0; 1;0.00; 0;0.00;0.00;\"  40,\";\"\";", {}},
        {"blank before a comma", "x\";\"12 ,  13 ,14,\";", {12, 13, 14}},
        {"negative and signed numbers", "\";\"-5,+7, -0,\"", {-5, 7, 0}},
        {"number without a comma ends the list", "\";\" 12, 34\";", {12, 34}},
        {"number at the very end", "\";\"99", {99}},
        {"stops at first place without a number", "\";\"1,2,x,3,", {1, 2}},
        {"sign alone stops", "\";\"1,-,3,", {1}},
        {"decimal point: the number is kept, the rest after the comma read", "\";\"1.5,2,", {1, 2}},
        {"first occurrence starts the list", "\";\"1,\";\"2,", {1}},
        {"tabs and newlines count as white space", "\";\"\t5,\n6,", {5, 6}},
        {"huge numbers are clamped",
         "\";\"99999999999999999999,-99999999999999999999,",
         {LLONG_MAX, LLONG_MIN}},
        {"extremes of long long",
         "\";\"9223372036854775807,-9223372036854775808,",
         {LLONG_MAX, LLONG_MIN}},
    };
    for (const Case& c : cases) {
        const auto steps = parseRecordOutputList(c.line);
        ASSERT_TRUE(steps.has_value()) << c.name;
        EXPECT_EQ(*steps, c.steps) << c.name;
    }
}

TEST(record_line_parser, lines_without_an_output_list_give_nothing) {
    const std::string lines[] = {
        "", "\r", "NEW;isi: 20.000000; shape: 2500.000000; #: 100", "\";", ";\"", "\" ; \"",
    };
    for (const std::string& line : lines) EXPECT_FALSE(parseRecordOutputList(line)) << line;
}

TEST(record_line_parser, lines_of_any_length_are_read_whole) {
    // Far beyond the 999 characters one fixed-buffer read would take.
    std::string line = "   0; 0;0.00;999;0.00;0.00;\"\";\"";
    Steps expected;
    for (int step = 1; line.size() < 5000; ++step) {
        line += (step < 1000 ? " " : "") + std::to_string(step * 3) + ",";
        expected.push_back(step * 3);
    }
    line += "\";";
    const auto steps = parseRecordOutputList(line);
    ASSERT_TRUE(steps.has_value());
    EXPECT_EQ(*steps, expected);
}

}  // namespace
}  // namespace mirvok
