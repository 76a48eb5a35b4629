#include "records/record_line_parser.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace mirvok {
namespace {

using Steps = std::vector<int>;
using Kind = RecordLine::Kind;

TEST(record_line_parser, reads_the_output_list_of_a_record) {
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
        {"stops at first place without a number", "\";\"1,2,x,3,\"", {1, 2}},
        {"sign alone stops", "\";\"1,-,3,\"", {1}},
        {"decimal point: the number is kept, the rest after the comma read",
         "\";\"1.5,2,\"",
         {1, 2}},
        {"a comma after the closing quote is no part of the list", "\";\"1\";,2,", {1}},
        {"first occurrence starts the list", "\";\"1,\";\"2,", {1}},
        {"tabs and newlines count as white space", "\";\"\t5,\n6,\"", {5, 6}},
        {"numbers beyond int are held at its limits",
         "\";\"99999999999999999999,-99999999999999999999,2147483648,\"",
         {INT_MAX, INT_MIN, INT_MAX}},
    };
    for (const Case& c : cases) {
        const RecordLine parsed = parseRecordLine(c.line);
        EXPECT_EQ(parsed.kind, Kind::Record) << c.name;
        EXPECT_EQ(parsed.outputList, c.steps) << c.name;
    }
}

TEST(record_line_parser, headers_and_empty_lines_hold_nothing_and_cut_records_are_damaged) {
    const std::string record = "   0; 3;0.02; 2;0.67;1.00;\"  40,  80, 120,\";\"  41,  81,\";";
    struct Case {
        std::string line;
        Kind kind;
    };
    const Case cases[] = {
        {"", Kind::Other},
        {"NEW;isi: 20.000000; shape: 2500.000000; #: 100", Kind::Other},
        // Cut inside the output list: "  8" is not the spike at 81.
        {record.substr(0, record.find("81") + 1), Kind::Damaged},
        {record.substr(0, record.rfind(",\";") + 1), Kind::Damaged},
        // Cut inside the input list or the numbers.
        {record.substr(0, record.find("120")), Kind::Damaged},
        {"   0; 3;0.0", Kind::Damaged},
        {" \t\r", Kind::Other},
        {"\";", Kind::Damaged},
        {"\" ; \"", Kind::Damaged},
    };
    for (const Case& c : cases) {
        const RecordLine parsed = parseRecordLine(c.line);
        EXPECT_EQ(parsed.kind, c.kind) << c.line;
        EXPECT_TRUE(parsed.outputList.empty()) << c.line;
    }
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
    EXPECT_EQ(parseRecordLine(line).outputList, expected);
}

TEST(record_line_parser, a_list_holding_text_that_is_no_step_is_read_up_to_it_and_told) {
    const struct {
        std::string list;
        Steps steps;
        bool whole;
    } cases[] = {
        {"  40,  81,", {40, 81}, true}, {" 12 ,13", {12, 13}, true}, {"", {}, true},
        {"1e10,", {1}, false},          {"39;78;118", {39}, false},  {"1.5,2,", {1, 2}, false},
        {"1,x,3,", {1}, false},
    };
    for (const auto& c : cases) {
        const StepList parsed = parseStepList(c.list);
        EXPECT_EQ(parsed.steps, c.steps) << c.list;
        EXPECT_EQ(parsed.whole, c.whole) << c.list;
        EXPECT_EQ(parseRecordLine("0;\"\";\"" + c.list + "\";").outputPartial, !c.whole) << c.list;
    }
}

}  // namespace
}  // namespace mirvok
