#include "analysis/analysis.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "support/test_values.hpp"

using namespace mirvok;

namespace {

// The lines of the window's list: the non-zero local CVs.
struct Lines : LocalWindowSink {
    char sep = '.';
    std::vector<std::string> lines;
    void start(std::size_t) override { lines.clear(); }
    void window(std::size_t spike, double lcv) override {
        if (lcv != 0.0) lines.push_back(localCvLine(spike, lcv, sep));
    }
};

SimState withTrains(std::vector<int> in, std::vector<int> out) {
    SimState s;
    s.inSpikeSteps = std::move(in);
    s.outSpikeSteps = std::move(out);
    return s;
}

RunResults analysed(SimState& s, ValueSource& values, LocalWindowSink* sink = nullptr) {
    RunResults r;
    analyseRun(s, values, r, sink);
    return r;
}

}  // namespace

TEST(analysis, worked_example) {
    SimState s = withTrains({0, 10, 30, 40, 60, 70}, {70});
    TestValues values;
    Lines lines;
    lines.sep = ',';
    const RunResults r = analysed(s, values, &lines);
    const double cv = std::sqrt(24.0) / 14.0;
    EXPECT_DOUBLE_EQ(r.transmissionRatio, 0.2);
    EXPECT_DOUBLE_EQ(r.isiCV, cv);
    EXPECT_EQ(lines.lines, std::vector<std::string>{"6.: 0,34993"});
    EXPECT_EQ(s.spikeVari, (std::vector<double>{0, 0, 0, 0, 0, s.spikeVari[5]}));
    EXPECT_DOUBLE_EQ(s.spikeVari[5], cv);
    EXPECT_NEAR(r.localScoreMean, 0.02494, 1e-5);
    EXPECT_DOUBLE_EQ(r.localScoreMean, (cv - 0.3333) / (1 - 0.3333));
    EXPECT_NEAR(r.analysisResult, 0.00499, 1e-5);
    EXPECT_EQ(values.count("range"), 1);
    EXPECT_EQ(values.count("c0"), 2);  // one window, then the overall score
}

TEST(analysis, cv_score) {
    const struct {
        double p, cv, c0, score;
    } cases[] = {
        {0.5, 0.2, 0.0, -1.0}, {0.5, 0.2, 1.0, -1.0},   {1.0, 0.5, 0.25, 1.0 / 3.0},
        {0.0, 0.5, 0.25, 0.0}, {0.0, 0.0, 0.3333, 1.0}, {1.0, 0.1, 0.2, 0.0},
        {0.4, 0.2, 0.2, 0.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(cvScore(c.p, c.cv, c.c0), c.score);
}

TEST(analysis, no_input_spikes_never_read_ign_and_score_one) {
    SimState s = withTrains({}, {});
    TestValues values;
    const RunResults r = analysed(s, values);
    EXPECT_DOUBLE_EQ(r.analysisResult, 1.0);
    EXPECT_EQ(r.transmissionRatio, 0.0);
    EXPECT_EQ(r.isiCV, 0.0);
    EXPECT_EQ(r.localScoreMean, 0.0);
    EXPECT_EQ(values.count("ign"), 0);
}

TEST(analysis, equal_intervals_give_zero_cvs_and_leave_the_list_empty) {
    SimState s = withTrains({10, 20, 30, 40, 50, 60, 70}, {60});
    TestValues values;
    Lines lines;
    lines.lines = {"old"};
    const RunResults r = analysed(s, values, &lines);
    EXPECT_EQ(r.isiCV, 0.0);
    EXPECT_TRUE(lines.lines.empty());
    EXPECT_EQ(s.spikeVari, std::vector<double>(7, 0.0));
    // Windows end at 60 (fired) and 70 (silent): scores 0 and 1.
    EXPECT_DOUBLE_EQ(r.localScoreMean, 0.5);
}

TEST(analysis, too_few_spikes_for_a_window_clear_the_previous_lines) {
    for (int range : {1, 5}) {
        SimState s = withTrains({0, 10, 30, 40, 60}, {});
        s.spikeVari = {};
        TestValues values;
        values.setup.analysis.rangeIntervals = range;
        Lines lines;
        lines.lines = {"previous"};
        const RunResults r = analysed(s, values, &lines);
        EXPECT_EQ(r.localScoreMean, 0.0);
        EXPECT_TRUE(s.spikeVari.empty());
        EXPECT_TRUE(lines.lines.empty());
    }
}

TEST(analysis, ign_beyond_the_last_spike) {
    SimState s = withTrains({0, 10, 30, 40, 60, 70}, {70});
    TestValues values;
    values.setup.analysis.ignSteps = 100;
    Lines lines;
    lines.lines = {"previous"};
    const RunResults r = analysed(s, values, &lines);
    EXPECT_DOUBLE_EQ(r.analysisResult, 1.0);
    EXPECT_EQ(r.transmissionRatio, 0.0);
    EXPECT_EQ(r.isiCV, 0.0);
    EXPECT_EQ(r.localScoreMean, 0.0);
    EXPECT_TRUE(lines.lines.empty());
    EXPECT_EQ(s.spikeVari, std::vector<double>(6, 0.0));
}

TEST(analysis, c0_of_zero_or_one_scores_minus_one) {
    for (double c0 : {0.0, 1.0}) {
        SimState s = withTrains({0, 10, 30, 40, 60, 70}, {70});
        TestValues values;
        values.setup.analysis.c0Value = c0;
        const RunResults r = analysed(s, values);
        EXPECT_EQ(r.analysisResult, -1.0);
        EXPECT_EQ(r.localScoreMean, -1.0);
    }
}

TEST(analysis, a_spike_at_exactly_ign_counts_for_intervals_but_not_for_transmission) {
    const std::vector<int> in{10, 20, 40};
    TestValues values;
    values.setup.analysis.ignSteps = 10;
    EXPECT_DOUBLE_EQ(computeTransmissionRatio(in, {10, 20}, values), 0.5);
    // Intervals 10 and 20 both start at or after step 10.
    EXPECT_DOUBLE_EQ(computeIsiCV(in, values), 5.0 / 15.0);
}

TEST(analysis, the_output_search_resumes_where_it_stopped) {
    // Windows of two intervals end at 30, 40 and 60; output spikes at 5, 40, 60.
    SimState s = withTrains({0, 10, 30, 40, 60}, {5, 40, 60});
    TestValues values;
    values.setup.analysis.rangeIntervals = 2;
    values.setup.analysis.c0Value = 0.5;
    const RunResults r = analysed(s, values);
    const double lcv30 = 0.5 / 1.5, lcv40 = 5.0 / 15.0, lcv60 = 5.0 / 15.0;
    const double expected =
        (cvScore(0, lcv30, 0.5) + cvScore(1, lcv40, 0.5) + cvScore(1, lcv60, 0.5)) / 3;
    EXPECT_DOUBLE_EQ(r.localScoreMean, expected);
}

TEST(analysis, a_failing_c0_leaves_earlier_results_stored_and_the_list_partly_filled) {
    SimState s = withTrains({0, 10, 30, 40, 60, 70, 75, 90}, {});
    TestValues values;
    values.failOn = "c0";
    values.failFrom = 1;  // the second window
    Lines lines;
    RunResults r;
    r.localScoreMean = 42.0;
    r.analysisResult = 43.0;
    EXPECT_THROW(analyseRun(s, values, r, &lines), EConvertError);
    EXPECT_DOUBLE_EQ(r.transmissionRatio, 0.0);
    EXPECT_GT(r.isiCV, 0.0);
    EXPECT_EQ(r.localScoreMean, 42.0);
    EXPECT_EQ(r.analysisResult, 43.0);
    EXPECT_EQ(lines.lines.size(), 1u);
    EXPECT_EQ(s.spikeVari.size(), 8u);
}
