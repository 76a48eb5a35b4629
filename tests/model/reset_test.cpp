#include "model/reset.hpp"

#include <gtest/gtest.h>

#include "model_test_support.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/test_values.hpp"

using namespace mirvok;

namespace {

// A state as an earlier run of 100 ms might have left it.
SimState usedState() {
    SimState s;
    TestValues old;
    old.setup.reset.time = 100;
    old.setup.reset.v1 = 0.7;
    old.setup.reset.v2 = 0.1;
    old.setup.reset.eps = 0.5;
    old.setup.reset.tol = 0.1;
    resetSimulation(s, old);
    s.curStep = 150;
    s.matchFlag = true;
    s.dV = 0.25;
    s.V1trace[3] = 0.9;
    s.outSpikeSteps = {3, 7};
    s.spikeVari = {0.1};
    s.inTrain.assign(200, 1);
    s.inSpikeSteps = {1, 2};
    return s;
}

}  // namespace

TEST(reset, default_boxes_give_the_start_of_a_two_thousand_step_run) {
    SimState s = usedState();
    TestValues values;
    resetSimulation(s, values);
    EXPECT_EQ(s.Nsteps, 2000);
    EXPECT_EQ(s.curStep, 0);
    EXPECT_EQ(s.V1, 0.2);
    EXPECT_EQ(s.V2, 0.8);
    EXPECT_EQ(s.epsilon, 0.005);
    EXPECT_EQ(s.boundaryTol, 0.0);
    EXPECT_FALSE(s.matchFlag);
    EXPECT_EQ(s.V1trace, std::vector<double>(2000, 0.0));
    EXPECT_EQ(s.V2trace, std::vector<double>(2000, 0.0));
    EXPECT_TRUE(s.outSpikeSteps.empty());
    EXPECT_TRUE(s.spikeVari.empty());
    // Left alone: the train and dV.
    EXPECT_EQ(s.dV, 0.25);
    EXPECT_EQ(s.inTrain.size(), 200u);
    EXPECT_EQ(s.inSpikeSteps, (std::vector<int>{1, 2}));
}

TEST(reset, a_failing_value_leaves_the_earlier_fields_changed_and_the_later_ones_alone) {
    {
        SimState s = usedState();
        TestValues values;
        values.failOn = "v1-start";
        EXPECT_THROW(resetSimulation(s, values), EConvertError);
        EXPECT_EQ(s.Nsteps, 2000);
        EXPECT_EQ(s.V1, 0.7);
        EXPECT_EQ(s.curStep, 150);
        EXPECT_EQ(s.V1trace.size(), 200u);
    }
    {
        SimState s = usedState();
        TestValues values;
        values.failOn = "epsilon";
        EXPECT_THROW(resetSimulation(s, values), EConvertError);
        EXPECT_EQ(s.Nsteps, 2000);
        EXPECT_EQ(s.V1, 0.2);
        EXPECT_EQ(s.V2, 0.8);
        EXPECT_EQ(s.curStep, 0);
        EXPECT_FALSE(s.matchFlag);
        EXPECT_TRUE(s.outSpikeSteps.empty());
        EXPECT_EQ(s.V1trace, std::vector<double>(2000, 0.0));
        EXPECT_EQ(s.epsilon, 0.5);
        EXPECT_EQ(s.boundaryTol, 0.1);
    }
}

TEST(reset, refused_run_lengths_change_nothing) {
    // Half of 36 MB holds the traces and trains of 1,000,000 steps: 500000 ms.
    constexpr std::uint64_t kMemory = 36'000'000;
    for (int ms : {-5, -1, 500001, 1073741824, 2147483647}) {
        SimState s = usedState();
        TestValues values;
        values.setup.reset.time = ms;
        values.setup.reset.memory = kMemory;
        EXPECT_THROW_MSG(resetSimulation(s, values), InputError,
                         "'" + std::to_string(ms) + "' is not a valid run length");
        EXPECT_EQ(s.Nsteps, 200);
        EXPECT_EQ(s.curStep, 150);
        EXPECT_EQ(s.V1, 0.7);
    }
    SimState s = usedState();
    TestValues longest;
    longest.setup.reset.time = 500000;
    longest.setup.reset.memory = kMemory;
    resetSimulation(s, longest);
    EXPECT_EQ(s.Nsteps, 1000000);
}

TEST(reset, zero_length_and_repeated_resets) {
    SimState s = usedState();
    TestValues values;
    values.setup.reset.time = 0;
    resetSimulation(s, values);
    EXPECT_EQ(s.Nsteps, 0);
    EXPECT_TRUE(s.V1trace.empty());

    values.setup.reset.time = 1000;
    values.setup.reset.v1 = 1.5;
    resetSimulation(s, values);
    SimState again = s;
    resetSimulation(again, values);
    EXPECT_EQ(again.V1, 1.5);
    EXPECT_EQ(again.V1trace, s.V1trace);
    EXPECT_EQ(again.Nsteps, s.Nsteps);
}
