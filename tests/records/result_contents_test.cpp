#include "records/result_contents.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "records/result_file_reader.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using testing::TempDir;
using testing::writeFile;

TEST(result_contents, a_file_reads_as_sections_of_records_with_damaged_lines_counted) {
    const TempDir dir;
    const std::string file = dir.file("results.csv");
    writeFile(file,
              "NEW;isi: 20.000000; shape: 2500.000000; #: 2\n"
              "   0; 2;0.50; 1;0.50;-1.00;\"  40,  81,\";\"  41,\";\n"
              "   1; 1;0.00; 0;0.00;0.25;\"  40,\";\"\";\r\n"
              "   2; 1;0.00; 0;0.00;0.25;\"  40,\";\"  4\n"
              "\n"
              "NEW;isi: 12.500000; shape: x; #: 1\n"
              "   0;1000;0.02;999;0.99;0.31;\" 1,\";\" 2,\";");
    const auto sections = readResultSections(file);
    ASSERT_TRUE(sections);
    ASSERT_EQ(sections->size(), 2u);
    const ResultSection& first = (*sections)[0];
    EXPECT_EQ(first.isi, 20.0);
    EXPECT_EQ(first.shape, 2500.0);
    EXPECT_EQ(first.iterations, 2);
    ASSERT_EQ(first.records.size(), 2u);
    EXPECT_EQ(first.damagedRecords, 1u);
    const RecordValues& r = first.records[0];
    EXPECT_EQ(r.index, 0);
    EXPECT_EQ(r.inSpikes, 2);
    EXPECT_EQ(r.cv, 0.5);
    EXPECT_EQ(r.outSpikes, 1);
    EXPECT_EQ(r.q, 0.5);
    EXPECT_EQ(r.score, -1.0);
    EXPECT_EQ(r.inSteps, (std::vector<int>{40, 81}));
    EXPECT_EQ(r.outSteps, (std::vector<int>{41}));
    EXPECT_TRUE(first.records[1].outSteps.empty());

    const ResultSection& second = (*sections)[1];
    EXPECT_EQ(second.isi, 12.5);
    EXPECT_TRUE(std::isnan(second.shape));
    ASSERT_EQ(second.records.size(), 1u);
    EXPECT_EQ(second.records[0].inSpikes, 1000);

    EXPECT_FALSE(readResultSections(dir.file("missing.csv")));
}

TEST(result_contents, records_read_in_part_are_kept_and_counted_as_a_replay_counts_them) {
    const TempDir dir;
    const std::string file = dir.file("results.csv");
    writeFile(file,
              "NEW;isi: 20.000000; shape: 2500.000000; #: 4\n"
              "   0; 1;0.00; 1;1.00;0.25;\"  40,\";\"  41,\";\n"
              "   1; 1;0.00; 1;1.00;0.25;\"  40,\";\"1e10,\";\n"  // a list read up to "e10"
              "   2; x;0.00; 1;1.00;0.25;\"  40,\";\"39;78;118\";\n"
              "   3; 1;0.00; 1;1.00;0.25;\"  40,\";\"  4\n");  // cut: damaged
    const auto sections = readResultSections(file);
    const auto replay = readReplaySource(file);
    ASSERT_TRUE(sections && replay);
    const ResultSection& s = sections->front();
    ASSERT_EQ(s.records.size(), 3u);
    EXPECT_EQ(s.damagedRecords, 1u);
    EXPECT_EQ(s.partialRecords, 2u);
    EXPECT_EQ(s.records[1].outSteps, (std::vector<int>{1}));
    EXPECT_EQ(s.records[2].inSpikes, -1);
    EXPECT_EQ(s.records[2].outSteps, (std::vector<int>{39}));
    EXPECT_EQ(replay->lists.size(), s.records.size());
    EXPECT_EQ(replay->damagedRecords, s.damagedRecords);
    EXPECT_EQ(replay->partialRecords, 2u);
}

}  // namespace
}  // namespace mirvok
