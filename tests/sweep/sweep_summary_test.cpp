#include "sweep/sweep_summary.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace mirvok {
namespace {

TEST(sweep_summary, means_and_sds_are_the_two_pass_values_in_iteration_order) {
    const std::vector<std::vector<double>> cases{
        {},
        {5.0},
        {1.0, 2.0, 3.0, 4.0},
        {7.0, 7.0, 7.0, 7.0},               // no spread: exactly 0
        {1e6 + 0.1, 1e6 + 0.2, 1e6 + 0.3},  // a small spread about a large mean
        {0.3, -0.1, 2.5, 0.02, 0.02, 11.0},
    };
    for (const std::vector<double>& values : cases) {
        RunningStat stat;
        double sum = 0.0;
        for (const double x : values) {
            stat.add(x);
            sum += x;
        }
        const auto n = static_cast<double>(values.size());
        if (values.empty()) {
            EXPECT_TRUE(std::isnan(stat.mean()));
        } else {
            EXPECT_EQ(stat.mean(), sum / n);
        }
        if (values.size() < 2) {
            EXPECT_TRUE(std::isnan(stat.sd()));
            continue;
        }
        double squares = 0.0;
        for (const double x : values) squares += (x - sum / n) * (x - sum / n);
        const double sd = std::sqrt(squares / (n - 1));
        EXPECT_NEAR(stat.sd(), sd, 1e-12 * std::max(sd, 1.0)) << values.size();
        if (sd == 0.0) {
            EXPECT_EQ(stat.sd(), 0.0);
        }
    }
}

TEST(sweep_summary, rows_hold_shortest_numbers_integer_options_and_nan) {
    EXPECT_EQ(summaryHeader({"time", "cv"}),
              "point,time,cv,seed,runs,in_spikes_mean,in_spikes_sd,cv_mean,cv_sd,out_spikes_mean,"
              "out_spikes_sd,q_mean,q_sd,score_mean,score_sd,local_score_mean,local_score_sd\n");
    IterationOutcome run;
    run.inSpikes = 50;
    run.results.isiCV = 0.1;
    run.outSpikes = 3;
    run.results.transmissionRatio = 0.06;
    run.results.analysisResult = 1.0 / 3.0;
    run.results.localScoreMean = 1e-7;
    PointRow row{12, {{"time", 1000000.0}, {"cv", 0.1}}, 2147483647u, {}};
    row.stats.add(run);
    EXPECT_EQ(summaryRow(row),
              "12,1000000,0.1,2147483647,1,50,NaN,0.1,NaN,3,NaN,0.06,NaN,0.3333333333333333,NaN,"
              "1e-07,NaN\n");
}

}  // namespace
}  // namespace mirvok
