#include "text/number_parse.hpp"

#include <gtest/gtest.h>

#include <string>

#include "base/errors.hpp"

using namespace mirvok;

namespace {

std::string convertMessage(auto&& call) {
    try {
        call();
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(number_parse, integers_accepted) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"0", 0},
        {"1000", 1000},
        {"  42  ", 42},
        {"-5", -5},
        {"+7", 7},
        {"\t12", 12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"007", 7},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(number_parse, integers_rejected_with_the_text_in_the_message) {
    for (const char* text : {"", " ", "abc", "1.5", "1,5", "2147483648", "-2147483649", "1e3",
                             "- 5", "5 5", "0x10", "+", "12a"}) {
        EXPECT_EQ(convertMessage([&] { StrToInt(text); }),
                  "'" + std::string(text) + "' is not a valid integer value")
            << text;
    }
}

TEST(number_parse, floats_accepted_with_either_separator) {
    const struct {
        const char* text;
        char sep;
        long double value;
    } cases[] = {
        {"0,2", ',', 0.2L},     {"0.2", '.', 0.2L},   {" -1,5 ", ',', -1.5L},
        {"+3", '.', 3.0L},      {"5.", '.', 5.0L},    {",5", ',', 0.5L},
        {"1e3", '.', 1000.0L},  {"1E-2", '.', 0.01L}, {"2,5e+1", ',', 25.0L},
        {"1e400", '.', 1e400L}, {"0", ',', 0.0L},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToFloat(c.text, c.sep), c.value) << c.text;
}

TEST(number_parse, floats_rejected_with_the_text_in_the_message) {
    const struct {
        const char* text;
        char sep;
    } cases[] = {
        {"", '.'},        {"  ", '.'},      {"nan", '.'},     {"inf", '.'}, {"-inf", '.'},
        {"0x1p3", '.'},   {"1,000.5", '.'}, {"1.000,5", ','}, {"0.2", ','}, {"0,2", '.'},
        {"1.2.3", '.'},   {"e5", '.'},      {"1e", '.'},      {"1e+", '.'}, {".", '.'},
        {"1e99999", '.'}, {"--1", '.'},     {"1 2", '.'},     {"abc", ','},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(convertMessage([&] { StrToFloat(c.text, c.sep); }),
                  "'" + std::string(c.text) + "' is not a valid floating point value")
            << c.text;
    }
}

TEST(number_parse, double_rounding_agrees_with_the_nearest_double_and_refuses_overflow) {
    EXPECT_EQ(StrToDouble("0,009", ','), 0.009);
    EXPECT_EQ(StrToDouble("0.3333", '.'), 0.3333);
    EXPECT_EQ(StrToDouble("4.656612875245797e-10", '.'), 4.656612875245797e-10);
    EXPECT_THROW(StrToDouble("1e400", '.'), EOverflow);
}
