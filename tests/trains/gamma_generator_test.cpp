#include "trains/gamma_generator.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "random/random_variates.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/scripted_source.hpp"
#include "text/number_parse.hpp"
#include "trains/generator_limits.hpp"

namespace mirvok {
namespace {

using testing::ConstantSource;
using testing::FirstThenPcg;
using testing::ScriptedSource;

// The window's boxes as texts, converted when read; every call is logged.
class FakeEntries final : public GeneratorEntries {
  public:
    std::string cvText = "0.02";
    std::string shapeText = "1000";
    std::string isiText = "20";
    std::string jitterText = "0";
    char sep = '.';
    std::vector<std::string> log;

    double cv() override { return read("cv", cvText); }
    void writeShape(const std::string& text) override {
        log.push_back("writeShape " + text);
        shapeText = text;
    }
    double shape() override { return read("shape", shapeText); }
    double isi() override { return read("isi", isiText); }
    double isiJitter() override { return read("jitter", jitterText); }
    char decimalSeparator() const override { return sep; }
    void pumpEvents() override { ++pumps; }
    const Segments& segments() const override { return defined; }
    int pumps = 0;
    Segments defined;

  private:
    double read(const char* name, const std::string& text) {
        log.push_back(name);
        return StrToDouble(text, sep);
    }
};

// Logs each draw into the entries' log, so the order of reads and the one
// draw of the shift can be checked together.
class LoggingSource final : public RandomSource {
  public:
    LoggingSource(std::vector<std::string>& log, std::uint64_t seed) : log_(log), inner_(seed) {}
    std::int32_t next() override {
        if (logging) log_.push_back("draw");
        logging = false;  // only the first draw: the rest are intervals
        return inner_.next();
    }
    bool logging = true;

  private:
    std::vector<std::string>& log_;
    Pcg31 inner_;
};

SimState stateWith(int Nsteps) {
    SimState state;
    state.Nsteps = Nsteps;
    // A previous train and output, to see what is replaced and what is kept.
    state.inTrain.assign(7, 1);
    state.outTrain.assign(7, 1);
    state.inSpikeSteps = {3, 4, 5};
    state.outSpikeSteps = {4};
    state.curStep = 5;
    return state;
}

void expectConsistentTrain(const SimState& state) {
    ASSERT_EQ(state.inTrain.size(), static_cast<std::size_t>(state.Nsteps));
    ASSERT_EQ(state.outTrain, Flags(static_cast<std::size_t>(state.Nsteps), 0));
    EXPECT_TRUE(std::is_sorted(state.inSpikeSteps.begin(), state.inSpikeSteps.end()));
    Flags expected(static_cast<std::size_t>(state.Nsteps), 0);
    for (int k : state.inSpikeSteps) {
        ASSERT_GE(k, 1);
        ASSERT_LT(k, state.Nsteps);
        expected[static_cast<std::size_t>(k)] = 1;
    }
    EXPECT_EQ(state.inTrain, expected);
}

TEST(gamma_generator, default_train_spikes_near_multiples_of_40) {
    SimState state = stateWith(2000);
    FakeEntries entries;
    Pcg31 source(99);
    generateTrain(state, entries, source, false);
    EXPECT_EQ(entries.shapeText, "2500");
    expectConsistentTrain(state);
    ASSERT_GE(state.inSpikeSteps.size(), 48U);
    ASSERT_LE(state.inSpikeSteps.size(), 50U);
    for (std::size_t i = 0; i < state.inSpikeSteps.size(); ++i)
        EXPECT_NEAR(state.inSpikeSteps[i], 40.0 * (i + 1), 30.0) << "spike " << i;
    // The train drawn is also the loaded train, which later runs are built from.
    EXPECT_EQ(state.loadedTrain, state.inSpikeSteps);
    // Only the input train is replaced.
    EXPECT_EQ(state.curStep, 5);
    EXPECT_EQ(state.outSpikeSteps, std::vector<int>{4});
}

TEST(gamma_generator, single_mode_reads_entries_and_draws_the_shift_in_order) {
    SimState state = stateWith(200);
    FakeEntries entries;
    entries.cvText = "1";
    LoggingSource source(entries.log, 5);
    generateTrain(state, entries, source, false);
    const std::vector<std::string> expected = {"cv",   "writeShape 1", "shape",
                                               "draw", "isi",          "jitter"};
    EXPECT_EQ(entries.log, expected);

    // A shape as entered: neither CV nor writeShape is touched.
    entries.log.clear();
    entries.shapeText = "4";
    source.logging = true;
    generateTrain(state, entries, source, false, ShapeSource::AsEntered);
    EXPECT_EQ(entries.log, (std::vector<std::string>{"shape", "draw", "isi", "jitter"}));
    expectConsistentTrain(state);
}

TEST(gamma_generator, shift_draw_moves_the_mean_of_the_whole_train) {
    // k = 0 gives u = -1, k = 2147483647 gives u = 1: isi 20 +/- 10 ms means
    // 10 or 30 ms, i.e. 20 or 60 steps between spikes.
    struct Case {
        std::int32_t firstDraw;
        double stepsPerSpike;
    };
    for (const Case c : {Case{0, 20.0}, Case{2147483647, 60.0}, Case{1073741824, 40.0}}) {
        SimState state = stateWith(2000);
        FakeEntries entries;
        entries.jitterText = "10";
        FirstThenPcg source(c.firstDraw, 7);
        generateTrain(state, entries, source, false);
        expectConsistentTrain(state);
        const double last = state.inSpikeSteps.back();
        const double perSpike = last / static_cast<double>(state.inSpikeSteps.size());
        EXPECT_NEAR(perSpike, c.stepsPerSpike, 1.0) << "first draw " << c.firstDraw;
    }
}

TEST(gamma_generator, shape_text_is_the_window_form_of_one_over_cv_squared) {
    struct Case {
        double cv;
        char sep;
        const char* text;
    };
    const Case cases[] = {{0.02, '.', "2500"},
                          {1.0, ',', "1"},
                          {2.0, ',', "0,25"},
                          {-2.0, '.', "0.25"},
                          {0.3, '.', "11.1111111111111"}};
    for (const Case& c : cases) EXPECT_EQ(shapeTextForCv(c.cv, c.sep), c.text) << c.cv;
    EXPECT_THROW(shapeTextForCv(0.0, '.'), EZeroDivide);
    EXPECT_THROW(shapeTextForCv(1e-160, '.'), EOverflow);
    EXPECT_THROW(shapeTextForCv(1e200, '.'), EOverflow);
}

TEST(gamma_generator, cv_zero_stops_before_the_shape_with_empty_trains) {
    SimState state = stateWith(100);
    FakeEntries entries;
    entries.cvText = "0";
    ConstantSource source(5);
    EXPECT_THROW(generateTrain(state, entries, source, false), EZeroDivide);
    EXPECT_EQ(entries.shapeText, "1000");
    EXPECT_EQ(entries.log, std::vector<std::string>{"cv"});
    EXPECT_EQ(state.inTrain, Flags(100, 0));
    EXPECT_EQ(state.outTrain, Flags(100, 0));
    EXPECT_TRUE(state.inSpikeSteps.empty());
    EXPECT_EQ(source.draws(), 0U);
}

TEST(gamma_generator, bad_text_ends_at_that_entry_with_empty_trains) {
    SimState state = stateWith(100);
    FakeEntries entries;
    entries.isiText = "2o";
    Pcg31 source(1);
    EXPECT_THROW_MSG(generateTrain(state, entries, source, false), EConvertError,
                     "'2o' is not a valid floating point value");
    EXPECT_EQ(entries.log.back(), "isi");
    EXPECT_EQ(state.inTrain, Flags(100, 0));
    EXPECT_TRUE(state.inSpikeSteps.empty());
}

TEST(gamma_generator, refuses_entries_for_which_generation_cannot_end) {
    struct Case {
        const char* isi;
        const char* jitter;
        const char* cvOrShape;
        ShapeSource shapeSource;
        const char* label;
        GeneratorEntry entry;
    };
    const Case cases[] = {
        {"0", "0", "0.02", ShapeSource::FromCv, "isi:", GeneratorEntry::Isi},
        {"-5", "0", "0.02", ShapeSource::FromCv, "isi:", GeneratorEntry::Isi},
        {"0.05", "0", "0.02", ShapeSource::FromCv, "isi:", GeneratorEntry::Isi},
        {"20", "20", "0.02", ShapeSource::FromCv, "+/-:", GeneratorEntry::IsiJitter},
        {"20", "-25", "0.02", ShapeSource::FromCv, "+/-:", GeneratorEntry::IsiJitter},
        {"1", "0.95", "0.02", ShapeSource::FromCv, "+/-:", GeneratorEntry::IsiJitter},
        {"20", "0", "150", ShapeSource::FromCv, "CV:", GeneratorEntry::Cv},
        {"20", "0", "0.0000001", ShapeSource::FromCv, "CV:", GeneratorEntry::Cv},
        {"20", "0", "0", ShapeSource::AsEntered, "shape:", GeneratorEntry::Shape},
        {"20", "0", "-1", ShapeSource::AsEntered, "shape:", GeneratorEntry::Shape},
        {"20", "0", "1e13", ShapeSource::AsEntered, "shape:", GeneratorEntry::Shape},
    };
    for (const Case& c : cases) {
        SimState state = stateWith(100);
        FakeEntries entries;
        entries.isiText = c.isi;
        entries.jitterText = c.jitter;
        (c.shapeSource == ShapeSource::FromCv ? entries.cvText : entries.shapeText) = c.cvOrShape;
        Pcg31 source(3);
        try {
            generateTrain(state, entries, source, false, c.shapeSource);
            ADD_FAILURE() << "accepted isi " << c.isi << " +/- " << c.jitter << " cv/shape "
                          << c.cvOrShape;
        } catch (const GeneratorEntryError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.label, 0), 0U) << e.what();
            EXPECT_EQ(e.entry(), c.entry) << e.what();
            EXPECT_EQ(std::string(e.what()), std::string(c.label) + " " + e.reason());
            // The check before a batch refuses the same, without drawing.
            if (c.shapeSource == ShapeSource::FromCv) {
                entries.log.clear();
                EXPECT_THROW_MSG(checkTrainEntries(100, entries, false), InputError, e.what());
                EXPECT_EQ(std::count(entries.log.begin(), entries.log.end(), "writeShape"), 0);
            }
        }
        EXPECT_EQ(state.inTrain, Flags(100, 0));
        EXPECT_TRUE(state.inSpikeSteps.empty());
    }
}

TEST(gamma_generator, only_a_long_draw_offers_the_window_its_events) {
    // Cost grows with sqrt(shape): a CV of 0.0001 takes thousands of passes
    // per interval, the default one a few dozen.
    for (const char* cv : {"0.02", "0.0001"}) {
        SimState state = stateWith(2000);
        FakeEntries entries;
        entries.cvText = cv;
        Pcg31 source(4);
        generateTrain(state, entries, source, false);
        if (std::string(cv) == "0.02")
            EXPECT_EQ(entries.pumps, 0);
        else
            EXPECT_GE(entries.pumps, 5);
    }
}

TEST(gamma_generator, entries_at_the_limits_are_generated) {
    struct Case {
        const char* isi;
        const char* jitter;
        const char* cv;
    };
    for (const Case c : {Case{"0.0625", "0", "1"}, Case{"1", "0.9375", "1"}, Case{"20", "0", "100"},
                         Case{"100", "0", "0.000001"}, Case{"0.2", "0", "0.5"}}) {
        SimState state = stateWith(400);
        FakeEntries entries;
        entries.isiText = c.isi;
        entries.jitterText = c.jitter;
        entries.cvText = c.cv;
        Pcg31 source(11);
        EXPECT_NO_THROW(generateTrain(state, entries, source, false)) << c.isi << " " << c.cv;
        expectConsistentTrain(state);
    }
}

TEST(gamma_generator, mean_below_one_step_repeats_steps) {
    SimState state = stateWith(2000);
    FakeEntries entries;
    entries.isiText = "0.2";
    entries.cvText = "1";
    Pcg31 source(21);
    generateTrain(state, entries, source, false);
    expectConsistentTrain(state);
    const auto flagged = std::count(state.inTrain.begin(), state.inTrain.end(), 1);
    EXPECT_NEAR(static_cast<double>(state.inSpikeSteps.size()), 5000.0, 300.0);
    EXPECT_LT(flagged, static_cast<long>(state.inSpikeSteps.size()));
}

TEST(gamma_generator, run_of_zero_or_one_step_holds_no_spike) {
    for (int n : {0, 1}) {
        SimState state = stateWith(n);
        FakeEntries entries;
        Pcg31 source(2);
        generateTrain(state, entries, source, false);
        EXPECT_EQ(state.inTrain, Flags(static_cast<std::size_t>(n), 0));
        EXPECT_TRUE(state.inSpikeSteps.empty());
    }
}

double lnOfHalf() {
    return -std::log(static_cast<double>(1073741824LL * (long double)kUniformQ));
}

TEST(gamma_generator, fill_moves_step_zero_to_one_and_places_a_spike_just_past_the_end) {
    // Exponential intervals: a draw of 2^30 (U = 1/2) gives theta ln 2, a draw
    // of 1 (U = q) gives about 31 theta.
    const double theta = 0.5 / lnOfHalf();
    Flags train(20, 0);
    std::vector<int> steps{7};
    train[7] = 1;
    ScriptedSource source({1073741824, 1});
    fillGammaSegment(train, steps, 0, 10, theta, 1.0, source, 100);
    EXPECT_EQ(steps, (std::vector<int>{7, 1})) << "time 0.5 lands in step 1; nothing cleared";
    EXPECT_EQ(train[1], 1);
    EXPECT_EQ(train[7], 1);
    EXPECT_EQ(source.draws(), 2U);

    // A time of 10.5 with end 10 still lies in step 10: placed, then done.
    steps.clear();
    ScriptedSource past({1073741824});
    fillGammaSegment(train, steps, 0, 10, 10.5 / lnOfHalf(), 1.0, past, 100);
    EXPECT_EQ(steps, std::vector<int>{10});
    EXPECT_EQ(past.draws(), 1U);
}

TEST(gamma_generator, fill_stays_inside_the_train_and_always_ends) {
    // An end beyond the flags is cut to the last flag.
    Flags train(50, 0);
    std::vector<int> steps;
    Pcg31 source(4);
    fillGammaSegment(train, steps, -10, 1000, 1.0, 1.0, source, 10000);
    ASSERT_FALSE(steps.empty());
    EXPECT_LE(steps.back(), 49);
    EXPECT_GE(steps.front(), 1);

    // Every draw overflows (-1e308 ln q): failed draws count towards the
    // bound, so the loop ends with a refusal instead of running forever.
    ConstantSource failing(1);
    std::vector<int> none;
    EXPECT_THROW(fillGammaSegment(train, none, 0, 49, 1e308, 1.0, failing, 500), InputError);
    EXPECT_EQ(failing.draws(), 500U);
    EXPECT_TRUE(none.empty());

    // A zero or negative scale or shape never reaches the variates.
    ConstantSource unused(5);
    EXPECT_THROW(fillGammaSegment(train, none, 0, 49, 0.0, 1.0, unused, 10), InputError);
    EXPECT_THROW(fillGammaSegment(train, none, 0, 49, 1.0, -2.0, unused, 10), InputError);
    EXPECT_EQ(unused.draws(), 0U);
    EXPECT_GE(maxSpikesFor(2000), 16U * 2000U);
}

// Entries whose segments are these lists.
FakeEntries segmentedEntries(std::vector<int> bounds, std::vector<double> isi,
                             std::vector<double> shape) {
    FakeEntries entries;
    entries.defined = {std::move(bounds), std::move(isi), std::move(shape)};
    return entries;
}

long countIn(const std::vector<int>& steps, int from, int to) {
    return std::count_if(steps.begin(), steps.end(), [&](int k) { return k >= from && k <= to; });
}

TEST(gamma_generator, segment_mode_follows_each_segment_and_reads_no_entry) {
    SimState state = stateWith(1200);
    FakeEntries entries =
        segmentedEntries({0, 400, 800, 1199}, {20.0, 5.0, 20.0}, {2500.0, 2500.0, 2500.0});
    Pcg31 source(8);
    generateTrain(state, entries, source, true);
    EXPECT_TRUE(entries.log.empty());
    expectConsistentTrain(state);
    EXPECT_NEAR(countIn(state.inSpikeSteps, 1, 399), 10, 1);
    EXPECT_NEAR(countIn(state.inSpikeSteps, 401, 799), 40, 1);
    EXPECT_NEAR(countIn(state.inSpikeSteps, 801, 1199), 10, 1);

    // Unticked, or no segments: single mode.
    entries.cvText = "1";
    generateTrain(state, entries, source, false);
    EXPECT_FALSE(entries.log.empty());
    entries.defined = {};
    entries.log.clear();
    generateTrain(state, entries, source, true);
    EXPECT_FALSE(entries.log.empty());
}

TEST(gamma_generator, segment_lists_that_do_not_fit_the_run_are_cut) {
    struct Case {
        const char* what;
        int Nsteps;
        FakeEntries entries;
        int lastPossible;  // no spike beyond this step
    };
    Case cases[] = {
        {"run shortened: cut at 599, third segment dropped", 600,
         segmentedEntries({0, 400, 800, 1199}, {20.0, 5.0, 20.0}, {2500.0, 2500.0, 2500.0}), 599},
        {"one mean short: only the first segment", 1200,
         segmentedEntries({0, 400, 800}, {5.0}, {2500.0, 2500.0}), 400},
        {"one shape short: only the first segment", 1200,
         segmentedEntries({0, 400, 800}, {5.0, 5.0}, {2500.0}), 400},
        {"bound 0 alone: no spike", 1200, segmentedEntries({0}, {}, {}), 0},
    };
    for (Case& c : cases) {
        SimState state = stateWith(c.Nsteps);
        FakeEntries& entries = c.entries;
        Pcg31 source(9);
        generateTrain(state, entries, source, true);
        expectConsistentTrain(state);
        const int last = state.inSpikeSteps.empty() ? 0 : state.inSpikeSteps.back();
        EXPECT_LE(last, c.lastPossible) << c.what;
        if (c.lastPossible > 0) {
            EXPECT_GT(last, c.lastPossible - 30) << c.what;
        }
        EXPECT_TRUE(entries.log.empty()) << c.what;
    }
}

TEST(gamma_generator, segment_with_values_the_generator_refuses_is_named) {
    SimState state = stateWith(1200);
    FakeEntries entries = segmentedEntries({0, 400, 1199}, {20.0, 0.0}, {1.0, 1.0});
    Pcg31 source(10);
    EXPECT_THROW_MSG_STARTS(generateTrain(state, entries, source, true), InputError,
                            "Interval #2: isi:");
    EXPECT_EQ(state.inTrain, Flags(1200, 0));
    EXPECT_TRUE(state.inSpikeSteps.empty());
}

TEST(gamma_generator, check_passes_what_generation_accepts) {
    FakeEntries entries = segmentedEntries({0, 400, 1199}, {20.0, 0.0}, {1.0, 1.0});
    EXPECT_NO_THROW(checkTrainEntries(2000, entries, false));
    EXPECT_THROW_MSG(checkTrainEntries(2000, entries, true), InputError,
                     "Interval #2: isi: the mean interval must be greater than 0 ms");
    // The second segment starts beyond a run of 400 steps, so it is not drawn.
    EXPECT_NO_THROW(checkTrainEntries(400, entries, true));
    entries.cvText = "0";
    entries.log.clear();
    EXPECT_THROW(checkTrainEntries(2000, entries, false), EZeroDivide);
    EXPECT_EQ(entries.log, std::vector<std::string>{"cv"});
}

TEST(gamma_generator,
     a_train_beyond_the_memory_available_is_refused_before_it_is_drawn_or_as_it_grows) {
    // About 1,000,000 spikes expected (2,000,000 steps, one spike a step)
    // in 4 MB; a generator source that keeps drawing near-zero intervals
    // outgrows what its mean promised.
    FakeEntries entries;
    entries.isiText = "0.5";
    entries.cvText = "1";
    SimState state;
    state.Nsteps = 2000000;
    Pcg31 source(1);
    EXPECT_THROW_MSG_STARTS(
        generateTrain(state, entries, source, false, ShapeSource::FromCv, 4 << 20), InputError,
        "the train needs about ");
    EXPECT_TRUE(state.inSpikeSteps.empty());
    entries.isiText = "1000";
    ConstantSource tiny(2147483647);  // every interval far below its mean
    state.Nsteps = 200000;
    EXPECT_THROW_MSG(generateTrain(state, entries, tiny, false, ShapeSource::FromCv, 1 << 20),
                     InputError,
                     "the train needs about 2 MB, 1 MB are available: use a shorter run or a "
                     "longer isi");
    generateTrain(state, entries, source, false, ShapeSource::FromCv, 1 << 20);  // fits
    EXPECT_FALSE(state.inSpikeSteps.empty());
}

}  // namespace
}  // namespace mirvok
