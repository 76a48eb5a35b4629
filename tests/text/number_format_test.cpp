#include "text/number_format.hpp"

#include <gtest/gtest.h>

using namespace mirvok;

TEST(number_format, int_to_str) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-17), "-17");
    EXPECT_EQ(IntToStr(2147483647), "2147483647");
}

TEST(number_format, a_count_takes_the_singular_for_one_only) {
    EXPECT_EQ(counted(1, "record"), "1 record");
    EXPECT_EQ(counted(0, "record"), "0 records");
    EXPECT_EQ(counted(2, "record was", "records were"), "2 records were");
    EXPECT_EQ(counted(-1, "step"), "-1 steps");
}

TEST(number_format, float_to_str_keeps_fifteen_digits_and_drops_trailing_zeros) {
    const struct {
        double value;
        char sep;
        const char* text;
    } cases[] = {
        {2500.0, ',', "2500"},
        {1.0, '.', "1"},
        {0.25, ',', "0,25"},
        {0.25, '.', "0.25"},
        {0.0, '.', "0"},
        {-0.5, '.', "-0.5"},
        {83.25, ',', "83,25"},
        {1.0 / 3.0, '.', "0.333333333333333"},
        {2.0 / 3.0, '.', "0.666666666666667"},
        {1.0 / (0.3 * 0.3), '.', "11.1111111111111"},
        {123456789012345.0, '.', "123456789012345"},
        {1e15, '.', "1E15"},
        {1.5e20, '.', "1.5E20"},
        {0.0001, '.', "0.0001"},
        {0.00001, '.', "1E-5"},
        {-2.5e-7, ',', "-2,5E-7"},
        {1e10, '.', "10000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value, c.sep), c.text) << c.text;
}

TEST(number_format, float_to_str_f_fixed_decimals) {
    const struct {
        double value;
        int decimals;
        char sep;
        const char* text;
    } cases[] = {
        {0.0, 5, '.', "0.00000"},
        {0.2, 5, ',', "0,20000"},
        {0.349927, 5, '.', "0.34993"},
        {-1.0, 5, '.', "-1.00000"},
        {0.125, 2, '.', "0.12"},  // exact tie: the binary value rounds to even
        {0.126, 2, ',', "0,13"},
        {-0.000001, 5, '.', "0.00000"},
        {1234.5, 2, '.', "1234.50"},
        {123456.123456789, 5, '.', "123456.12350"},  // precision 10 bounds the digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, c.decimals, c.sep), c.text) << c.text;
}
