#include "batch/batch_iteration.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/analysis.hpp"
#include "support/scripted_source.hpp"
#include "support/test_values.hpp"
#include "text/number_parse.hpp"
#include "values/batch_setup.hpp"

namespace mirvok {
namespace {

double intervalCv(const std::vector<int>& steps) {
    const BatchSetup setup;
    SetupValues values(setup);
    return computeIsiCV(steps, values);
}

TEST(batch_iteration, quantified_shape_reaches_the_train_in_single_mode) {
    struct Case {
        const char* name;
        bool quantify;
        bool zeroOne;
    };
    const Case cases[] = {
        {"from CV", false, false}, {"random shape", true, false}, {"coin toss", true, true}};
    for (const Case& c : cases) {
        GeneratorSettings settings;
        settings.quantify = c.quantify;
        settings.quantifyZeroOne = c.zeroOne;
        for (std::uint64_t seed = 0; seed < 6; ++seed) {
            SimState state;
            state.Nsteps = 20000;
            SettingsEntries entries(settings);
            Pcg31 source = iterationSource(seed, 0);
            makeBatchTrain(state, entries, source, false, c.quantify, c.zeroOne);
            const double shape = StrToDouble(entries.shapeText(), '.');
            if (!c.quantify) {
                EXPECT_EQ(entries.shapeText(), "2500") << c.name;
            }
            if (c.zeroOne) {
                EXPECT_TRUE(shape == 1.0 || shape == 100000.0) << entries.shapeText();
            }
            EXPECT_GE(shape, 1.0) << c.name;
            // The train's interval CV follows the shape in use: 1/sqrt(shape).
            ASSERT_GT(state.inSpikeSteps.size(), 100u) << c.name;
            const double expected = 1.0 / std::sqrt(shape);
            EXPECT_NEAR(intervalCv(state.inSpikeSteps), expected, 0.25 * expected + 0.03)
                << c.name << " shape " << entries.shapeText();
        }
    }
}

TEST(batch_iteration, segment_mode_follows_the_segment_lists) {
    GeneratorSettings settings;
    settings.segmentMode = true;
    settings.segments = {{0, 999, 1999}, {10.0, 40.0}, {2500.0, 2500.0}};  // 20 and 80 steps
    SimState state;
    state.Nsteps = 2000;
    SettingsEntries entries(settings);
    Pcg31 source = iterationSource(3, 0);
    makeBatchTrain(state, entries, source, true, false, false);
    const auto& steps = state.inSpikeSteps;
    const auto firstHalf =
        std::count_if(steps.begin(), steps.end(), [](int s) { return s <= 999; });
    EXPECT_NEAR(static_cast<double>(firstHalf), 50.0, 2.0);
    EXPECT_NEAR(static_cast<double>(steps.size() - firstHalf), 12.0, 2.0);
}

TEST(batch_iteration, a_random_shape_too_large_to_draw_is_held_at_the_largest_and_the_train_made) {
    // First draw: u of about 4.7e-7, a shape of about 4.6e12 (1/u^2). Every
    // later draw is about 0.5 and draws each interval at its first pass.
    struct Case {
        std::int32_t shapeDraw;
        const char* shapeText;
    };
    for (const Case& c : {Case{1000, "100000000"}, Case{1073741824, "3.99999999627471"}}) {
        GeneratorSettings settings;
        settings.quantify = true;
        SimState state;
        state.Nsteps = 2000;
        SettingsEntries entries(settings);
        testing::ScriptedSource source({c.shapeDraw, 1073741824},
                                       testing::ScriptedSource::AfterLast::RepeatLast);
        ASSERT_NO_THROW(makeBatchTrain(state, entries, source, false, true, false)) << c.shapeDraw;
        EXPECT_EQ(entries.shapeText(), c.shapeText);
        EXPECT_FALSE(state.inSpikeSteps.empty());
    }
}

TEST(batch_iteration, kept_trains_are_the_runs_own_lists_and_no_record_is_written) {
    GeneratorSettings generator;
    const BatchSetup setup;
    SetupValues values(setup);
    SimState state;
    Pcg31 source = iterationSource(7, 0);
    const IterationOutcome kept =
        runGeneratedIteration(state, generator, source, {values}, 0, RecordText::Trains);
    EXPECT_TRUE(kept.record.empty());
    EXPECT_FALSE(kept.inSteps.empty());
    EXPECT_EQ(kept.inSteps, state.inSpikeSteps);
    EXPECT_EQ(kept.outSteps, state.outSpikeSteps);
}

TEST(batch_iteration, a_run_of_no_steps_records_no_results_of_the_run_before_it) {
    GeneratorSettings generator;
    TestValues values;
    SimState state;
    Pcg31 source = iterationSource(7, 0);
    const IterationOutcome first = runGeneratedIteration(state, generator, source, {values}, 0);
    ASSERT_NE(first.results, RunResults{});
    values.setup.reset.time = 0;
    const IterationOutcome empty = runGeneratedIteration(state, generator, source, {values}, 1);
    EXPECT_EQ(empty.results, RunResults{});
    EXPECT_EQ(empty.record, "   1; 0;0.00; 0;0.00;0.00;\"\";\"\";\n");
}

}  // namespace
}  // namespace mirvok
