#include "trains/segment_definition.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"
#include "trains/gamma_generator.hpp"

namespace mirvok {
namespace {

// Lists of an earlier definition, which a new one replaces.
Segments earlier() {
    return {{0, 10, 20}, {1.0, 2.0}, {3.0, 4.0}};
}

TEST(segment_definition, three_passes_define_three_segments) {
    Segments segments = earlier();
    SegmentDefinition definition(segments, 1200);
    EXPECT_EQ(segments.bounds, std::vector<int>{0});
    EXPECT_TRUE(segments.isi.empty());
    EXPECT_TRUE(segments.shape.empty());
    EXPECT_EQ(definition.trackMax(), 1199);

    struct Pass {
        int position;
        const char* isi;
        const char* cv;
        const char* caption;
        const char* shapeText;
    };
    const Pass passes[] = {{400, "20", "1", "Define interval: #1", "1"},
                           {800, "7,5", "0,5", "Define interval: #2", "4"},
                           {1199, "30", "1", "Define interval: #3", "1"}};
    for (const Pass& p : passes) {
        EXPECT_FALSE(definition.done());
        EXPECT_EQ(definition.caption(), p.caption);
        const auto result = definition.pass(p.position, p.isi, p.cv, ',');
        EXPECT_EQ(result.outcome, SegmentDefinition::Outcome::Stored);
        EXPECT_EQ(result.shapeText, p.shapeText);
        EXPECT_EQ(definition.lastBound(), p.position);
    }
    EXPECT_TRUE(definition.done());
    EXPECT_EQ(segments.bounds, (std::vector<int>{0, 400, 800, 1199}));
    EXPECT_EQ(segments.shape, (std::vector<double>{1.0, 4.0, 1.0}));
    EXPECT_EQ(segments.isi, (std::vector<double>{20.0, 7.5, 30.0}));
}

TEST(segment_definition, pass_not_right_of_the_last_bound_stores_nothing) {
    Segments segments = earlier();
    SegmentDefinition definition(segments, 1200);
    EXPECT_EQ(definition.pass(0, "20", "1", '.').outcome,
              SegmentDefinition::Outcome::NotRightOfLast);
    // Even bad text is not looked at when the slider did not move right.
    EXPECT_EQ(definition.pass(0, "x", "0", '.').outcome,
              SegmentDefinition::Outcome::NotRightOfLast);
    definition.pass(400, "20", "1", '.');
    for (int position : {400, 300, -5}) {
        EXPECT_EQ(definition.pass(position, "20", "1", '.').outcome,
                  SegmentDefinition::Outcome::NotRightOfLast);
    }
    EXPECT_EQ(segments.bounds, (std::vector<int>{0, 400}));
    EXPECT_EQ(segments.isi.size(), 1U);
    EXPECT_EQ(definition.caption(), "Define interval: #2");
}

TEST(segment_definition, refused_pass_appends_nothing_and_the_next_one_works) {
    struct Case {
        const char* isi;
        const char* cv;
        const char* message;  // what the dialog shows, or its start
    };
    const Case cases[] = {
        {"20", "abc", "'abc' is not a valid floating point value"},
        {"20", "0", "Floating point division by zero"},
        {"2x", "1", "'2x' is not a valid floating point value"},
        {"0", "1", "isi:"},
        {"-3", "1", "isi:"},
        {"20", "150", "CV:"},
        {"20", "0.0000001", "CV:"},
    };
    for (const Case& c : cases) {
        Segments segments = earlier();
        SegmentDefinition definition(segments, 1200);
        definition.pass(400, "20", "1", '.');
        EXPECT_THROW_MSG_STARTS(definition.pass(800, c.isi, c.cv, '.'), Error, c.message);
        EXPECT_EQ(segments.bounds, (std::vector<int>{0, 400})) << c.cv;
        EXPECT_EQ(segments.isi.size(), 1U);
        EXPECT_EQ(segments.shape.size(), 1U);
        EXPECT_EQ(definition.pass(800, "20", "1", '.').outcome, SegmentDefinition::Outcome::Stored);
    }
}

TEST(segment_definition, runs_of_one_step_or_less_are_done_at_once) {
    for (int n : {1, 0}) {
        Segments segments = earlier();
        SegmentDefinition definition(segments, n);
        EXPECT_TRUE(definition.done());
        EXPECT_EQ(segments.bounds, std::vector<int>{0});
        EXPECT_TRUE(segments.isi.empty());
        EXPECT_TRUE(segments.shape.empty());
    }
}

TEST(segment_definition, slider_past_the_end_ends_the_definition_at_the_last_step) {
    Segments segments = earlier();
    SegmentDefinition definition(segments, 1200);
    definition.pass(5000, "20", "1", '.');
    EXPECT_TRUE(definition.done());
    EXPECT_EQ(segments.bounds, (std::vector<int>{0, 1199}));
}

// Stored segments are always ones the generator accepts.
TEST(segment_definition, defined_segments_generate_a_train) {
    Segments segments = earlier();
    SegmentDefinition definition(segments, 1200);
    definition.pass(600, "0.0625", "100", '.');
    definition.pass(1199, "20", "0.0001", '.');
    class NoEntries final : public GeneratorEntries {
        double cv() override { throw std::logic_error("read"); }
        void writeShape(const std::string&) override { throw std::logic_error("written"); }
        double shape() override { throw std::logic_error("read"); }
        double isi() override { throw std::logic_error("read"); }
        double isiJitter() override { throw std::logic_error("read"); }
        const Segments& segments() const override { return defined; }

      public:
        explicit NoEntries(const Segments& s) : defined(s) {}
        const Segments& defined;
    } entries(segments);
    SimState state;
    state.Nsteps = 1200;
    Pcg31 source(17);
    EXPECT_NO_THROW(generateTrain(state, entries, source, true));
    EXPECT_EQ(state.inTrain.size(), 1200U);
}

}  // namespace
}  // namespace mirvok
