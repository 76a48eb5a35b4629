#include "text/json_writer.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>

namespace mirvok {
namespace {

TEST(json_writer, doubles_read_back_exactly_and_non_finite_values_become_null) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {1.0, "1"},
        {-0.25, "-0.25"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.3333333333333333"},
        {1e-7, "1e-07"},
        {2500.0, "2500"},
        {std::numeric_limits<double>::infinity(), "null"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
    };
    for (const auto& c : cases) {
        const std::string text = jsonNumber(c.value);
        EXPECT_EQ(text, c.text);
        if (text == "null") continue;
        double back = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, c.value);
    }
}

TEST(json_writer, object_members_lists_and_escapes) {
    JsonObjectWriter json;
    EXPECT_EQ(json.text(), "{}\n");
    json.member("n", 3LL);
    json.member("empty", std::vector<int>{});
    json.member("steps", std::vector<int>{1, 22});
    json.member("cv", std::vector<double>{0.5, 0.0});
    EXPECT_EQ(json.text(), "{\"n\": 3, \"empty\": [], \"steps\": [1, 22], \"cv\": [0.5, 0]}\n");
    EXPECT_EQ(jsonString("a\"b\\c\n"), "\"a\\\"b\\\\c\\u000a\"");
}

}  // namespace
}  // namespace mirvok
