#include "batch/quantify.hpp"

#include <gtest/gtest.h>

#include "support/scripted_source.hpp"
#include "text/number_parse.hpp"

namespace mirvok {
namespace {

using testing::ScriptedSource;

TEST(quantify, zero_one_gives_1_or_100000_by_a_coin_toss) {
    struct Case {
        std::int32_t draw;
        const char* text;
    };
    for (const Case& c :
         {Case{1, "1"}, Case{0, "100000"}, Case{2147483647, "1"}, Case{6, "100000"}}) {
        ScriptedSource source({c.draw});
        EXPECT_EQ(quantifiedShapeText(source, true, '.'), c.text) << c.draw;
        EXPECT_EQ(source.draws(), 1U);
    }
}

TEST(quantify, otherwise_the_shape_is_one_over_u_squared_in_the_window_text) {
    ScriptedSource top({2147483647});
    EXPECT_EQ(quantifiedShapeText(top, false, '.'), "1");

    ScriptedSource half({1073741824});  // u just above 0.5
    const std::string text = quantifiedShapeText(half, false, ',');
    EXPECT_NE(text.find(','), std::string::npos) << text;
    EXPECT_NEAR(StrToDouble(text, ','), 4.0, 1e-8);

    ScriptedSource smallest({0, 1});  // a draw of 0 is drawn again
    EXPECT_NEAR(StrToDouble(quantifiedShapeText(smallest, false, '.'), '.'), 4.611686014132420e18,
                1e5);
}

}  // namespace
}  // namespace mirvok
