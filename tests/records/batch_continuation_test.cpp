#include "records/batch_continuation.hpp"

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "support/added_value_row.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using testing::TempDir;

std::string headerOf(int runs) {
    return "NEW;isi: 20.000000; shape: 2500.000000; #: " + std::to_string(runs) + "\n";
}

const std::string kHeader = headerOf(5);

std::string record(int index) {
    return (index < 10 ? "   " : "  ") + std::to_string(index) +
           "; 1;0.00; 1;1.00;1.00;\"  40,\";\"  41,\";\n";
}

TEST(batch_continuation, goes_on_after_the_whole_records_of_the_last_batch_if_it_is_this_one) {
    const std::string earlier = "NEW;isi: 10.000000; shape: 4.000000; #: 9\n" + record(0);
    struct Case {
        const char* name;
        std::string content;
        int iterations;
        int index;                 // where the batch goes on, when it may
        const char* refusalStart;  // or the start of the refusal
    };
    const Case cases[] = {
        {"after an earlier batch and a cut record",
         earlier + kHeader + record(0) + record(1) + record(2) + "   3; 1;0.0", 5, 3, nullptr},
        {"no record yet", kHeader, 5, 0, nullptr},
        {"every record made", headerOf(2) + record(0) + record(1), 2, 2, nullptr},
        {"no header", record(0), 5, 0, "f.csv holds no batch to continue"},
        {"another batch last", kHeader + record(0) + earlier, 5, 0,
         "the last batch in f.csv has the header 'NEW;isi: 10.000000"},
        {"a record out of order", kHeader + record(0) + record(2) + record(3), 5, 0,
         "line 3 of f.csv is not the next record"},
        {"a damaged line inside", kHeader + record(0) + "   1; 1;0.0\n" + record(1), 5, 0,
         "line 3 of f.csv is not the next record"},
        {"more records than runs", headerOf(1) + record(0) + record(1), 1, 0,
         "the last batch in f.csv holds 2 records"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::writeFile(dir.file("f.csv"), c.content);
        const auto last = readLastBatch(dir.file("f.csv"));
        ASSERT_TRUE(last.has_value());
        const std::string header = headerOf(c.iterations);
        if (c.refusalStart == nullptr) {
            EXPECT_EQ(continuationIndex(*last, header, c.iterations, "f.csv"), c.index);
            if (c.index > 0) {
                EXPECT_EQ(last->lastRecord, record(c.index - 1));
            }
        } else {
            EXPECT_THROW_MSG_STARTS(continuationIndex(*last, header, c.iterations, "f.csv"),
                                    InputError, c.refusalStart);
        }
    }
    EXPECT_FALSE(readLastBatch(dir.file("missing.csv")).has_value());
}

Provenance madeWith(long long runs, Json more = Json::object()) {
    Provenance p = provenanceOf("mirvok-cli", "batch", {{"time", 1000}, {"gamma1", 0.009}});
    p.seed = 7;
    p.iterations = 5;
    p.runs = runs;
    p.more = std::move(more);
    return p;
}

TEST(batch_continuation,
     the_last_entry_of_the_provenance_describes_the_last_batch_if_it_counts_it) {
    Provenance replay = madeWith(3);
    replay.seed.reset();
    const struct {
        const char* name;
        std::vector<Provenance> entries;
        bool describes;
    } cases[] = {
        {"its runs", {madeWith(5), madeWith(3)}, true},
        {"its runs after those it continued",
         {madeWith(1), madeWith(2, {{"continued_from", 1}})},
         true},
        {"an earlier batch's, the last killed before it recorded", {madeWith(5)}, false},
        {"a replay's", {replay}, false},
        {"a FILE.json that is no list", {}, false},
    };
    TempDir dir;
    const std::string file = dir.file("f.csv");
    testing::writeFile(file, kHeader + record(0) + record(1) + record(2));
    const LastBatch last = *readLastBatch(file);
    for (const auto& c : cases) {
        recordProvenance(file, c.entries.empty() ? madeWith(3) : c.entries.front(),
                         ProvenanceMode::Replace);
        for (std::size_t i = 1; i < c.entries.size(); ++i)
            recordProvenance(file, c.entries[i], ProvenanceMode::Append);
        if (c.entries.empty()) testing::writeFile(provenancePath(file), "[");
        EXPECT_EQ(lastBatchProvenance(file, last).has_value(), c.describes) << c.name;
    }
}

TEST(batch_continuation, a_batch_continues_only_with_the_seed_and_values_it_was_made_with) {
    const Json values = madeWith(0).values;
    Json later = values;
    later["time"] = 1001;
    Json quantified = values;
    quantified["quantify"] = true;
    const struct {
        Json values;
        std::uint64_t seed;
        const char* refusal;
    } cases[] = {
        {values, 7, nullptr},
        {values, 8, "the last batch in f.csv was made with seed 7, this batch with seed 8"},
        {later, 7, "the last batch in f.csv was made with time 1000, this batch with time 1001"},
        {quantified, 7,
         "the last batch in f.csv was made without quantify, this batch with quantify true"},
    };
    for (const auto& c : cases) {
        if (c.refusal == nullptr)
            EXPECT_NO_THROW(checkContinuedValues(madeWith(3), c.values, c.seed, "f.csv"));
        else
            EXPECT_THROW_MSG(checkContinuedValues(madeWith(3), c.values, c.seed, "f.csv"),
                             InputError, c.refusal);
    }
}

// A batch made before a value was added goes on with the value it had then.
TEST(batch_continuation, a_batch_made_before_a_value_was_added_goes_on_with_its_value_before) {
    const std::string kept = std::string(MIRVOK_TEST_DATA) + "/v6.1/batch.csv";
    const AddedRefractory added;
    const std::optional<LastBatch> last = readLastBatch(kept);
    ASSERT_TRUE(last);
    const std::optional<Provenance> made = lastBatchProvenance(kept, *last);
    ASSERT_TRUE(made);
    Json values = made->values;
    values["refractory"] = 0.0;
    EXPECT_NO_THROW(checkContinuedValues(*made, values, 5, "f.csv"));
    values["refractory"] = 2.5;
    EXPECT_THROW_MSG(checkContinuedValues(*made, values, 5, "f.csv"), InputError,
                     "the last batch in f.csv was made with refractory 0.0, this batch with "
                     "refractory 2.5");
}

}  // namespace
}  // namespace mirvok
