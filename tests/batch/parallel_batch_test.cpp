#include "batch/parallel_batch.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

TEST(parallel_batch, an_iteration_that_fails_leaves_the_records_before_it_and_its_error) {
    testing::TempDir dir;
    ParallelBatch batch;
    batch.target = {dir.file("r.csv"), ResultFileMode::Truncate};
    batch.header = "NEW\n";
    batch.plan = planRun(100, 3, 10);
    int written = 0;
    batch.progress = [&](int done) { written = done; };
    auto work = [](int, int index) {
        if (index == 37) throw RateOverflow(RunValue::Delta1);
        IterationOutcome outcome;
        outcome.record = std::to_string(index) + "\n";
        return outcome;
    };
    try {
        runParallelBatch(batch, work);
        ADD_FAILURE() << "the batch went on past iteration 37";
    } catch (const RateOverflow& e) {
        EXPECT_EQ(e.rate(), RunValue::Delta1);
    }
    std::string expected = "NEW\n";
    for (int i = 0; i < 37; ++i) expected += std::to_string(i) + "\n";
    EXPECT_EQ(testing::readFile(dir.file("r.csv")), expected);
    EXPECT_EQ(written, 37);
}

}  // namespace
}  // namespace mirvok
