#include "model/instant_run.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "model/input_train.hpp"
#include "model_test_support.hpp"
#include "random/random_source.hpp"

using namespace mirvok;
using namespace mirvok::testing;

TEST(instant_run, a_shorter_run_leaves_out_the_steps_beyond_it_and_a_longer_one_takes_them_back) {
    SimState s;
    s.Nsteps = 6;
    EXPECT_EQ(loadTrain(s, std::vector<int>{5, 1, 3, 9, -2, 3}), 2u);
    EXPECT_EQ(s.inSpikeSteps, (std::vector<int>{1, 3, 3, 5}));
    s.outTrain = {1};
    struct Case {
        int Nsteps;
        std::vector<int> inside;
        std::size_t skipped;
    };
    for (const Case& c :
         {Case{4, {1, 3, 3}, 3}, Case{10, {1, 3, 3, 5, 9}, 1}, Case{6, {1, 3, 3, 5}, 2}}) {
        s.Nsteps = c.Nsteps;
        fitTrains(s);
        EXPECT_EQ(s.inSpikeSteps, c.inside) << c.Nsteps;
        EXPECT_EQ(s.skippedSteps, c.skipped) << c.Nsteps;
        Flags flags(static_cast<std::size_t>(c.Nsteps), 0);
        for (int k : c.inside) flags[static_cast<std::size_t>(k)] = 1;
        EXPECT_EQ(s.inTrain, flags) << c.Nsteps;
        ASSERT_EQ(s.outTrain.size(), static_cast<std::size_t>(c.Nsteps));
        EXPECT_EQ(s.outTrain[0], 1);  // an earlier run's output flag stays
    }
}

TEST(instant_run, runs_every_step_and_stops_once_at_the_end) {
    SimState s;
    s.inSpikeSteps = {40, 80};
    s.inTrain.assign(100, 0);
    s.inTrain[40] = s.inTrain[80] = 1;
    TestValues values;
    RecordingHooks hooks;
    EXPECT_EQ(runInstant(s, values, hooks), RunEnd::Completed);
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
    TestValues values;
    values.setup.reset.time = 0;
    RecordingHooks hooks;
    EXPECT_EQ(runInstant(s, values, hooks), RunEnd::Completed);
    EXPECT_EQ(hooks.count("stop"), 0);
}

TEST(instant_run, a_failing_rate_ends_the_loop_after_that_step) {
    SimState s;
    TestValues values;
    values.failOn = "gamma2";
    RecordingHooks hooks;
    EXPECT_EQ(runInstant(s, values, hooks), RunEnd::RateFailed);
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
    TestValues values;
    struct : RecordingHooks {
        SimState* state = nullptr;
        void pumpEvents() override {
            if (state->curStep == 256) state->curStep = state->Nsteps;
        }
    } hooks;
    hooks.state = &s;
    runInstant(s, values, hooks);
    EXPECT_EQ(s.curStep, 2000);
    EXPECT_EQ(hooks.count("after"), 256);
}

namespace {

struct RunOutcome {
    SimState state;
    std::vector<std::string> calls;
    std::vector<std::string> reads;
    std::string error;
    RunEnd end = RunEnd::Completed;
};

// One run of either loop on a copy of the state, recording everything a
// caller can see; "after" is the traced loop's per-step hook only.
template <class Run>
RunOutcome runRecorded(SimState s, TestValues values, Run run) {
    RunOutcome out;
    RecordingHooks hooks;
    try {
        out.end = run(s, values, hooks);
    } catch (const std::exception& e) {
        out.error = e.what();
    }
    for (const std::string& call : hooks.calls)
        if (call != "after") out.calls.push_back(call);
    out.reads = values.reads;
    out.state = std::move(s);
    return out;
}

void expectSameRun(const SimState& s, const TestValues& values, const std::string& what) {
    const RunOutcome traced = runRecorded(s, values, runInstant);
    const RunOutcome fast = runRecorded(s, values, runWithoutTraces);
    EXPECT_EQ(fast.error, traced.error) << what;
    EXPECT_EQ(fast.end, traced.end) << what;
    EXPECT_EQ(fast.calls, traced.calls) << what;
    EXPECT_EQ(fast.reads, traced.reads) << what;
    EXPECT_EQ(fast.state.outSpikeSteps, traced.state.outSpikeSteps) << what;
    EXPECT_EQ(fast.state.outTrain, traced.state.outTrain) << what;
    EXPECT_EQ(fast.state.curStep, traced.state.curStep) << what;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(fast.state.V1),
              std::bit_cast<std::uint64_t>(traced.state.V1))
        << what;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(fast.state.V2),
              std::bit_cast<std::uint64_t>(traced.state.V2))
        << what;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(fast.state.dV),
              std::bit_cast<std::uint64_t>(traced.state.dV))
        << what;
    EXPECT_EQ(fast.state.matchFlag, traced.state.matchFlag) << what;
    EXPECT_TRUE(fast.state.V1trace.empty()) << what;
}

SimState stateWithTrain(int nsteps, const std::vector<int>& spikes) {
    SimState s;
    s.inTrain.assign(static_cast<std::size_t>(nsteps), 0);
    for (int k : spikes) s.inTrain[static_cast<std::size_t>(k)] = 1;
    return s;
}

}  // namespace

TEST(instant_run, without_traces_gives_the_traced_run_bit_for_bit) {
    Pcg31 random(77);
    auto uniform = [&] { return (random.next() + 0.5) / 2147483648.0; };
    for (int run = 0; run < 400; ++run) {
        TestValues values;
        BatchSetup::Reset& reset = values.setup.reset;
        reset.time = 50 + static_cast<int>(1500 * uniform());
        reset.v1 = uniform();
        reset.v2 = uniform();
        reset.eps = 0.1 * uniform();
        reset.tol = 0.3 * uniform();
        BatchSetup::Rates& rates = values.setup.rates;
        rates.g1 = 0.05 * uniform();
        rates.g2 = 0.05 * uniform();
        rates.d1 = uniform();
        rates.d2 = uniform();
        const int nsteps = 2 * reset.time;
        const double meanGap = 1.0 + 200.0 * uniform() * uniform();
        std::vector<int> spikes;
        for (double t = meanGap * uniform(); t < nsteps; t += 2.0 * meanGap * uniform())
            spikes.push_back(static_cast<int>(t));
        expectSameRun(stateWithTrain(nsteps, spikes), values, "random run " + std::to_string(run));
    }
}

TEST(instant_run, without_traces_fails_where_the_traced_run_fails) {
    const struct {
        const char* what;
        double v1, g1, d1;
        const char* failOn;
        std::vector<int> spikes;
    } cases[] = {
        {"refill below the double range", -1.7e308, -1.7e308, 0.45, "", {}},
        {"depletion beyond the double range", 0.2, 0.009, -1e308, "", {300}},
        {"volumes far out but finite", 1e302, -1e299, 0.45, "", {3, 700}},
        {"gamma1 fails", 0.2, 0.009, 0.45, "gamma1", {5}},
        {"gamma2 fails", 0.2, 0.009, 0.45, "gamma2", {5}},
        {"delta1 fails at the first spike", 0.2, 0.009, 0.45, "delta1", {300}},
        {"delta2 fails at the last step", 0.2, 0.009, 0.45, "delta2", {1999}},
        {"delta1 is never read without spikes", 0.2, 0.009, 0.45, "delta1", {}},
    };
    for (const auto& c : cases) {
        TestValues values;
        values.setup.reset.v1 = c.v1;
        values.setup.rates.g1 = c.g1;
        values.setup.rates.d1 = c.d1;
        values.failOn = c.failOn;
        expectSameRun(stateWithTrain(2000, c.spikes), values, c.what);
    }
}
