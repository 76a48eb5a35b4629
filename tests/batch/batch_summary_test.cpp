#include "batch/batch_summary.hpp"

#include <gtest/gtest.h>

namespace mirvok {
namespace {

BatchSums sumsOf(std::initializer_list<std::pair<double, double>> runs) {
    BatchSums sums;
    for (auto [result, local] : runs) sums.add(result, local);
    return sums;
}

TEST(batch_summary, averages_divide_by_runs_made_with_five_decimals) {
    struct Case {
        const char* name;
        BatchSums sums;
        char sep;
        std::string avg;
        std::string avl;
    };
    const Case cases[] = {
        {"two runs", sumsOf({{1.0, 0.5}, {2.0, 1.0}}), '.', "avg: 1.50000", "avl: 0.75000"},
        {"locale separator", sumsOf({{1.0, -0.25}}), ',', "avg: 1,00000", "avl: -0,25000"},
        {"thirds", sumsOf({{1.0, 0.0}, {0.0, 0.0}, {0.0, 0.0}}), '.', "avg: 0.33333",
         "avl: 0.00000"},
        {"no run made", BatchSums{}, '.', "avg: -", "avl: -"},
    };
    for (const Case& c : cases) {
        const BatchSummaryTexts texts = summaryTexts(c.sums, "output.csv", c.sep);
        EXPECT_EQ(texts.output, "output: output.csv") << c.name;
        EXPECT_EQ(texts.avg, c.avg) << c.name;
        EXPECT_EQ(texts.avl, c.avl) << c.name;
    }
}

TEST(batch_summary, sums_count_the_runs_they_hold) {
    const BatchSums sums = sumsOf({{1.0, 2.0}, {-1.0, 0.5}, {0.5, 0.5}});
    EXPECT_EQ(sums.runs, 3);
    EXPECT_DOUBLE_EQ(sums.resultSum, 0.5);
    EXPECT_DOUBLE_EQ(sums.localSum, 3.0);
}

}  // namespace
}  // namespace mirvok
