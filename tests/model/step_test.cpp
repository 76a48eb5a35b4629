#include "model/step.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "model_test_support.hpp"

using namespace mirvok;
using namespace mirvok::testing;

TEST(step, default_first_step_refills_then_depletes_at_an_input_spike) {
    SimState s = defaultState();
    s.inTrain[0] = 1;
    TestValues rates;
    updateModel(s, rates);
    EXPECT_DOUBLE_EQ(s.dV, -0.6);
    EXPECT_FALSE(s.matchFlag);
    EXPECT_EQ(s.V1trace[0], 0.2);
    EXPECT_EQ(s.V2trace[0], 0.8);
    EXPECT_DOUBLE_EQ(s.V1, 0.2045 * 0.55);
    EXPECT_DOUBLE_EQ(s.V2, 0.803 * 0.7);
    EXPECT_NEAR(s.V1, 0.112475, 1e-15);
    EXPECT_NEAR(s.V2, 0.5621, 1e-15);
    EXPECT_TRUE(s.outSpikeSteps.empty());
}

TEST(step, without_input_spike_only_refills_and_never_reads_the_depletion) {
    SimState s = defaultState();
    TestValues rates;
    rates.failOn = "delta1";
    updateModel(s, rates);
    EXPECT_DOUBLE_EQ(s.V1, 0.2045);
    EXPECT_DOUBLE_EQ(s.V2, 0.803);
    EXPECT_EQ(rates.reads, (std::vector<std::string>{"gamma1", "gamma2"}));
}

TEST(step, equal_volumes_at_an_input_spike_emit_an_output_spike_before_the_update) {
    SimState s = defaultState();
    s.V1 = s.V2 = 0.5;
    s.inTrain[0] = 1;
    TestValues rates;
    updateModel(s, rates);
    EXPECT_EQ(s.dV, 0.0);
    EXPECT_TRUE(s.matchFlag);
    EXPECT_EQ(s.outSpikeSteps, std::vector<int>{0});
    EXPECT_TRUE(s.outTrain[0]);
    EXPECT_DOUBLE_EQ(s.V1, 0.277475);
    EXPECT_DOUBLE_EQ(s.V2, 0.3521);
}

TEST(step, a_match_without_input_spike_sets_the_flag_but_emits_nothing) {
    SimState s = defaultState();
    s.V1 = s.V2 = 0.5;
    TestValues rates;
    updateModel(s, rates);
    EXPECT_TRUE(s.matchFlag);
    EXPECT_TRUE(s.outSpikeSteps.empty());
    EXPECT_FALSE(s.outTrain[0]);
}

TEST(step, coincidence_window_is_strict_and_bounds_are_inclusive) {
    const struct {
        double v1, v2, epsilon, tol;
        bool match;
    } cases[] = {
        {0.5, 0.25, 0.25, 0.0, false},  // |dV| equal to epsilon fails
        {0.5, 0.25, 0.2501, 0.0, true},
        {0.25, 0.25, 0.005, 0.25, true},  // at the lower bound
        {0.75, 0.75, 0.005, 0.25, true},  // at the upper bound 1 - tol
        {0.2499, 0.2499, 0.005, 0.25, false},
        {0.7501, 0.7501, 0.005, 0.25, false},
        {1.0, 1.0, 0.005, 0.0, true},     // capped volume inside [0, 1]
        {-0.3, -0.3, 0.005, 0.25, true},  // bounds use absolute values
        {0.0, 0.0, 0.0, 0.0, false},      // no window at all
    };
    for (const auto& c : cases) {
        SimState s = defaultState();
        s.V1 = c.v1;
        s.V2 = c.v2;
        s.epsilon = c.epsilon;
        s.boundaryTol = c.tol;
        TestValues rates;
        updateModel(s, rates);
        EXPECT_EQ(s.matchFlag, c.match) << c.v1 << " " << c.v2 << " " << c.epsilon << " " << c.tol;
    }
}

TEST(step, refill_caps_to_exactly_one) {
    SimState s = defaultState();
    s.V1 = 0.999;
    TestValues rates;
    updateModel(s, rates);
    EXPECT_EQ(s.V1, 1.0);
}

TEST(step, a_failing_rate_ends_the_update_where_it_was_read) {
    const struct {
        const char* failOn;
        double v1, v2;
    } cases[] = {
        {"gamma1", 0.2, 0.8},
        {"gamma2", 0.2045, 0.8},
        {"delta1", 0.2045, 0.803},
        {"delta2", 0.2045 * 0.55, 0.803},
    };
    for (const auto& c : cases) {
        SimState s = defaultState();
        s.inTrain[0] = 1;
        TestValues rates;
        rates.failOn = c.failOn;
        RecordingHooks hooks;
        EXPECT_EQ(stepSimulation(s, rates, hooks), StepOutcome::RateFailed);
        EXPECT_DOUBLE_EQ(s.V1, c.v1) << c.failOn;
        EXPECT_DOUBLE_EQ(s.V2, c.v2) << c.failOn;
        EXPECT_EQ(s.V1trace[0], 0.2);
        EXPECT_EQ(s.curStep, 1);
        EXPECT_EQ(hooks.calls, (std::vector<std::string>{"stop", "message", "after"}));
    }
}

TEST(step, the_last_step_stops_the_run_once_and_no_step_runs_past_the_end) {
    SimState s = defaultState(1);  // two steps
    TestValues rates;
    RecordingHooks hooks;
    EXPECT_EQ(stepSimulation(s, rates, hooks), StepOutcome::Done);
    EXPECT_EQ(hooks.count("stop"), 0);
    EXPECT_EQ(stepSimulation(s, rates, hooks), StepOutcome::Done);
    EXPECT_EQ(hooks.count("stop"), 1);
    const SimState before = s;
    EXPECT_EQ(stepSimulation(s, rates, hooks), StepOutcome::Skipped);
    EXPECT_EQ(s.curStep, 2);
    EXPECT_EQ(s.V1, before.V1);
    EXPECT_EQ(hooks.count("stop"), 1);
}

TEST(step, a_failure_at_the_last_step_stops_twice) {
    SimState s = defaultState(1);
    s.curStep = 1;
    TestValues rates;
    rates.failOn = "gamma1";
    RecordingHooks hooks;
    stepSimulation(s, rates, hooks);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"stop", "message", "after", "stop"}));
}

TEST(step, a_stop_that_fails_while_handling_a_rate_failure_ends_the_step_at_once) {
    SimState s = defaultState();
    TestValues rates;
    rates.failOn = "gamma1";
    RecordingHooks hooks;
    hooks.onStop = [] { throw EConvertError("'?' is not a valid integer value"); };
    EXPECT_THROW(stepSimulation(s, rates, hooks), EConvertError);
    EXPECT_EQ(s.curStep, 0);
    EXPECT_EQ(hooks.calls, std::vector<std::string>{"stop"});
}

TEST(step, errors_other_than_conversion_are_not_handled) {
    SimState s = defaultState();
    struct : ValueSource {
        double value(RunValue key) override {
            if (key == RunValue::Gamma1) throw EOverflow();
            return 0;
        }
    } rates;
    RecordingHooks hooks;
    EXPECT_THROW(stepSimulation(s, rates, hooks), EOverflow);
    EXPECT_EQ(s.curStep, 0);
    EXPECT_TRUE(hooks.calls.empty());
}

TEST(step, a_reset_that_failed_after_raising_nsteps_leaves_no_step_to_run_past_the_traces) {
    SimState s = defaultState(1);  // traces and trains of two steps
    TestValues badStart;
    badStart.failOn = "v1-start";
    EXPECT_THROW(resetSimulation(s, badStart), EConvertError);
    ASSERT_EQ(s.Nsteps, 2000);
    ASSERT_EQ(s.V1trace.size(), 2u);

    s.curStep = 2;  // inside the new Nsteps, past the old traces and trains
    const SimState before = s;
    TestValues rates;
    RecordingHooks hooks;
    EXPECT_EQ(stepSimulation(s, rates, hooks), StepOutcome::Skipped);
    updateModel(s, rates);
    EXPECT_EQ(s.curStep, 2);
    EXPECT_EQ(s.V1, before.V1);
    EXPECT_EQ(s.V1trace, before.V1trace);
    EXPECT_TRUE(hooks.calls.empty());
}

TEST(step, a_volume_that_would_overflow_names_the_rate_its_operation_read) {
    const struct {
        const char* what;
        double v1, v2, g1, g2, d1, d2;
        bool inputSpike;
        RunValue rate;
    } cases[] = {
        {"refill 1 below the double range", -1.7e308, 0.8, -1.7e308, 0.006, 0.45, 0.3, false,
         RunValue::Gamma1},
        {"refill 2", 0.2, -1.7e308, 0.009, -1.7e308, 0.45, 0.3, false, RunValue::Gamma2},
        {"depletion 1 beyond the double range", -1e308, 0.8, 0.009, 0.006, -1e308, 0.3, true,
         RunValue::Delta1},
        {"depletion 2", 0.2, -1e308, 0.009, 0.006, 0.45, -1e308, true, RunValue::Delta2},
    };
    for (const auto& c : cases) {
        SimState s = defaultState();
        TestValues rates;
        rates.setup.rates.g1 = c.g1;
        rates.setup.rates.g2 = c.g2;
        rates.setup.rates.d1 = c.d1;
        rates.setup.rates.d2 = c.d2;
        s.V1 = c.v1;
        s.V2 = c.v2;
        s.inTrain[0] = c.inputSpike;
        RecordingHooks hooks;
        try {
            stepSimulation(s, rates, hooks);
            ADD_FAILURE() << "no overflow: " << c.what;
        } catch (const RateOverflow& e) {
            EXPECT_EQ(e.rate(), c.rate) << c.what;
            EXPECT_STREQ(e.what(), EOverflow().what()) << c.what;
        }
        EXPECT_EQ(s.curStep, 0) << c.what;
        EXPECT_TRUE(std::isfinite(s.V1) && std::isfinite(s.V2)) << c.what;
        EXPECT_TRUE(hooks.calls.empty()) << c.what;
    }
}
