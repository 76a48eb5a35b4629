#include "text/json.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace mirvok {
namespace {

TEST(json, a_line_keeps_the_order_and_is_valid_json_whatever_the_bytes) {
    Json json;
    json["z"] = std::numeric_limits<double>::quiet_NaN();
    json["name"] = "a\"b\n\xff";  // no UTF-8: as a file name may be
    json["list"] = {1, 0.5};
    EXPECT_EQ(jsonLine(json), "{\"z\":null,\"name\":\"a\\\"b\\n\xef\xbf\xbd\",\"list\":[1,0.5]}");
    EXPECT_TRUE(parseJson(jsonLine(json)));
    EXPECT_EQ(
        jsonMemberLines(json),
        "{\n  \"z\": null,\n  \"name\": \"a\\\"b\\n\xef\xbf\xbd\",\n  \"list\": [1,0.5]\n}\n");
    EXPECT_EQ(jsonMemberLines(Json::object()), "{}\n");
}

TEST(json, parsing_refuses_what_would_not_read_back_or_nests_too_deep) {
    EXPECT_EQ(parseJson(" {\"a\": [1e-04, 2500]}\n"), Json::parse(R"({"a":[0.0001,2500]})"));
    EXPECT_EQ(parseJson("[\"a]\\\"[\"]"), Json::parse(R"(["a]\"["])"));
    const std::string deep = std::string(32, '[') + std::string(32, ']');
    EXPECT_TRUE(parseJson(deep));
    for (const std::string& text :
         {std::string("[1e400]"), std::string("{} {}"), std::string("\"\xff\""), "[" + deep + "]"})
        EXPECT_EQ(parseJson(text), std::nullopt) << text;
}

}  // namespace
}  // namespace mirvok
