#include "cli/generator_setup.hpp"

#include <gtest/gtest.h>

#include "cli/option_error.hpp"
#include "support/expect_throw_msg.hpp"

namespace mirvok::cli {
namespace {

TEST(generator_setup, single_mode_takes_the_shape_from_the_cv_as_the_window_writes_it) {
    GeneratorTexts texts;
    texts.isi = "12.5";
    texts.isiJitter = "2";
    texts.cv = "0.3";
    const GeneratorSetup setup = toGeneratorSetup(texts, 2000);
    EXPECT_EQ(setup.settings.isi, 12.5);
    EXPECT_EQ(setup.settings.isiJitter, 2.0);
    EXPECT_EQ(setup.shapeText, "11.1111111111111");
    EXPECT_EQ(setup.shape, 11.1111111111111);
    EXPECT_FALSE(setup.settings.segmentMode);
    EXPECT_TRUE(setup.segBounds.empty());
}

TEST(generator_setup, segments_build_the_lists_of_an_interval_definition) {
    GeneratorTexts texts;
    texts.segments = {"400:10:1", "800:20:0.5", "1199:30:1"};
    const GeneratorSetup setup = toGeneratorSetup(texts, 1200);
    EXPECT_TRUE(setup.settings.segmentMode);
    EXPECT_EQ(setup.segBounds, (std::vector<int>{0, 400, 800, 1199}));
    EXPECT_EQ(setup.segIsi, (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(setup.segShape, (std::vector<double>{1, 4, 1}));
    SimState state;
    setup.applyTo(state);
    EXPECT_EQ(state.segBounds, setup.segBounds);
}

TEST(generator_setup, refused_segments_name_the_option_and_the_reason) {
    const struct {
        std::vector<std::string> segments;
        const char* message;
    } cases[] = {
        {{"1199:20"}, "--segment: '1199:20' is not of the form END:ISI:CV"},
        {{"1199:20:1:2"}, "--segment: '1199:20:1:2' is not of the form END:ISI:CV"},
        {{"x:20:1"}, "--segment: 'x' is not a valid integer value"},
        {{"1200:20:1"}, "--segment: END 1200 lies beyond the last step 1199"},
        {{"600:20:1", "600:20:1"}, "--segment: END 600 is not right of the previous END 600"},
        {{"0:20:1"}, "--segment: END 0 is not right of the previous END 0"},
        {{"1199:20:1", "1199:20:1"},
         "--segment: '1199:20:1' comes after the segment that ends at the last step 1199"},
        {{"600:20:1"}, "--segment: the last END must be the run's last step 1199"},
        {{"1199:20:0,5"}, "--segment: '0,5' is not a valid floating point value"},
        {{"1199:20:0"}, "--segment: Floating point division by zero"},
    };
    for (const auto& c : cases) {
        GeneratorTexts texts;
        texts.segments = c.segments;
        EXPECT_THROW_MSG(toGeneratorSetup(texts, 1200), OptionError, c.message);
    }
}

}  // namespace
}  // namespace mirvok::cli
