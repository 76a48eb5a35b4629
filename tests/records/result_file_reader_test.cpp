#include "records/result_file_reader.hpp"

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/temp_dir.hpp"
#include "system/sha256.hpp"

namespace mirvok {
namespace {

using testing::TempDir;
using testing::writeFile;
using Lists = std::vector<std::vector<int>>;

TEST(result_file_reader, keeps_the_output_lists_of_whole_records_counts_damaged_ones_and_sums_all) {
    struct Case {
        const char* name;
        std::string content;
        Lists lists;
        std::size_t damaged;
    };
    const std::string r1 = "   0; 1;0.00; 2;1.00;1.00;\"  40,\";\"  41,  81,\";";
    const std::string r2 = "   1; 1;0.00; 1;1.00;1.00;\"  40,\";\"   7,\";";
    std::string longRecord = "   0; 0;0.00;999;0.00;0.00;\"\";\"";
    std::vector<int> longList;
    for (int step = 1000; longRecord.size() < 200000; ++step) {
        longRecord += std::to_string(step) + ",";
        longList.push_back(step);
    }
    longRecord += "\";";
    const Case cases[] = {
        {"empty file", "", {}, 0},
        {"header only", "NEW;isi: 20.000000\n", {}, 0},
        {"the first line is discarded whatever it holds", r1 + "\n" + r2 + "\n", {{7}}, 0},
        {"line feeds", "H\n" + r1 + "\n" + r2 + "\n", {{41, 81}, {7}}, 0},
        {"CR LF", "H\r\n" + r1 + "\r\n" + r2 + "\r\n", {{41, 81}, {7}}, 0},
        {"last record without line end", "H\n" + r1 + "\n" + r2, {{41, 81}, {7}}, 0},
        {"empty lines and further headers", "H\n\n" + r1 + "\nNEW;isi: 1\n\n", {{41, 81}}, 0},
        {"a record cut inside its output list",
         "H\n" + r1 + "\n" + r2.substr(0, 37),
         {{41, 81}},
         1},
        {"damaged lines anywhere",
         "H\n   0; 1;0.0\n" + r1 + "\ngarbage\n" + r2.substr(0, 20),
         {{41, 81}},
         3},
        {"a record longer than a read", "H\n" + longRecord + "\n", {longList}, 0},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir.file("in.csv");
        writeFile(path, c.content);
        const auto source = readReplaySource(path);
        ASSERT_TRUE(source.has_value()) << c.name;
        EXPECT_EQ(source->lists, c.lists) << c.name;
        EXPECT_EQ(source->damagedRecords, c.damaged) << c.name;
        Sha256 whole;  // of every byte read, over several reads for the long record
        whole.update(c.content);
        EXPECT_EQ(source->sha256, whole.hexDigest()) << c.name;
    }
}

TEST(result_file_reader, missing_file_gives_nothing_and_unreadable_file_throws) {
    TempDir dir;
    EXPECT_FALSE(readReplaySource(dir.file("missing.csv")).has_value());
    EXPECT_FALSE(readReplaySource("").has_value());
    EXPECT_THROW_MSG(readReplaySource(dir.path()), FileError,
                     "Could not read the file " + dir.path());
}

TEST(result_file_reader, a_source_beyond_its_budget_is_refused_before_it_is_read_whole) {
    TempDir dir;
    const std::string path = dir.file("in.csv");
    std::string record = "   0; 0;0.00;9;0.00;0.00;\"\";\"";
    while (record.size() < 1'000'000) record += "1234,";
    writeFile(path, "H\n" + record + "\";\n");
    std::uint64_t most = 0;
    const SourceBudget budget = [&most](std::uint64_t held, std::size_t) {
        most = std::max(most, held);
        if (held > 100'000) throw InputError("too much");
    };
    EXPECT_THROW(readReplaySource(path, budget), InputError);
    EXPECT_LT(most, 200'000U);
}

}  // namespace
}  // namespace mirvok
