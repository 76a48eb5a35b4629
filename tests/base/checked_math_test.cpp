#include "base/checked_math.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/errors.hpp"

using namespace mirvok;

TEST(checked_math, raises_the_systems_floating_point_errors) {
    EXPECT_EQ(checkedDivide(1.0, 4.0), 0.25);
    EXPECT_THROW(checkedDivide(1.0, 0.0), EZeroDivide);
    EXPECT_THROW(checkedDivide(0.0, 0.0), EInvalidOp);
    EXPECT_THROW(checkedDivide(1e308, 1e-308), EOverflow);
    EXPECT_THROW(checkedFinite(std::nan("")), EInvalidOp);
    EXPECT_THROW(checkedFinite(std::numeric_limits<double>::infinity()), EOverflow);
    EXPECT_THROW(toDouble(1e400L), EOverflow);
    EXPECT_EQ(toDouble(0.5L), 0.5);
}

TEST(checked_math, messages_are_the_systems_own) {
    EXPECT_STREQ(EZeroDivide().what(), "Floating point division by zero");
    EXPECT_STREQ(EOverflow().what(), "Floating point overflow");
    EXPECT_STREQ(EInvalidOp().what(), "Invalid floating point operation");
    EXPECT_STREQ(FileError::couldNotRead("a.txt").what(), "Could not read the file a.txt");
    EXPECT_STREQ(FileError::couldNotWrite("b.csv").what(), "Could not write the file b.csv");
}
