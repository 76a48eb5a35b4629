#include "text/shortest_number.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>

namespace mirvok {
namespace {

TEST(shortest_number, doubles_read_back_exactly_and_non_finite_values_become_null) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.25, "-0.25"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.3333333333333333"},
        {1e-7, "1e-07"},
        {1e-4, "1e-04"},
        {2500.0, "2500"},
        {1e5, "1e+05"},
        {std::numeric_limits<double>::infinity(), "null"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
    };
    for (const auto& c : cases) {
        const std::string text = shortestNumber(c.value);
        EXPECT_EQ(text, c.text);
        if (text == "null") continue;
        double back = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, c.value);
    }
}

}  // namespace
}  // namespace mirvok
