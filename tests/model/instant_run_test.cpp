#include "model/instant_run.hpp"

#include <gtest/gtest.h>

#include "model_test_support.hpp"

using namespace mirvok;
using namespace mirvok::testing;

TEST(instant_run, fits_trains_to_the_run_length_keeping_the_flags_below_it) {
    SimState s;
    s.Nsteps = 4;
    s.inTrain = {1, 0, 1, 1, 1, 1};
    s.outTrain = {1};
    fitTrains(s);
    EXPECT_EQ(s.inTrain, (Flags{1, 0, 1, 1}));
    EXPECT_EQ(s.outTrain, (Flags{1, 0, 0, 0}));
}

TEST(instant_run, runs_every_step_and_stops_once_at_the_end) {
    SimState s;
    s.inSpikeSteps = {40, 80};
    s.inTrain.assign(100, 0);
    s.inTrain[40] = s.inTrain[80] = 1;
    FixedResetValues values;
    FixedRates rates;
    RecordingHooks hooks;
    EXPECT_EQ(runInstant(s, values, rates, hooks), RunEnd::Completed);
    EXPECT_EQ(s.curStep, 2000);
    EXPECT_EQ(s.inTrain.size(), 2000u);
    EXPECT_EQ(s.outTrain.size(), 2000u);
    EXPECT_EQ(hooks.count("stop"), 1);
    EXPECT_EQ(hooks.count("after"), 2000);
    EXPECT_EQ(hooks.count("pump"), 8);  // every 256 steps
    EXPECT_NE(s.V1trace[1999], 0.0);
}

TEST(instant_run, zero_steps_run_nothing_and_never_stop) {
    SimState s;
    FixedResetValues values;
    values.time = 0;
    FixedRates rates;
    RecordingHooks hooks;
    EXPECT_EQ(runInstant(s, values, rates, hooks), RunEnd::Completed);
    EXPECT_EQ(hooks.count("stop"), 0);
}

TEST(instant_run, a_failing_rate_ends_the_loop_after_that_step) {
    SimState s;
    FixedResetValues values;
    ScriptedRates rates;
    rates.failOn = "gamma2";
    RecordingHooks hooks;
    EXPECT_EQ(runInstant(s, values, rates, hooks), RunEnd::RateFailed);
    EXPECT_EQ(s.curStep, 1);
    EXPECT_DOUBLE_EQ(s.V1, 0.2045);
    EXPECT_EQ(s.V2, 0.8);
    EXPECT_EQ(hooks.count("stop"), 1);
    EXPECT_EQ(hooks.count("message"), 1);
}

TEST(instant_run, a_stop_from_within_the_events_ends_the_loop) {
    // A nested handler that ends the run (as Stop does) must not let the loop
    // step past the end of the traces.
    SimState s;
    FixedResetValues values;
    FixedRates rates;
    struct : RecordingHooks {
        SimState* state = nullptr;
        void pumpEvents() override {
            if (state->curStep == 256) state->curStep = state->Nsteps;
        }
    } hooks;
    hooks.state = &s;
    runInstant(s, values, rates, hooks);
    EXPECT_EQ(s.curStep, 2000);
    EXPECT_EQ(hooks.count("after"), 256);
}
