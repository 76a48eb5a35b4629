#include <gtest/gtest.h>

#include <filesystem>

#include "records/batch_continuation.hpp"
#include "records/result_contents.hpp"
#include "records/result_file_reader.hpp"
#include "support/temp_dir.hpp"
#include "verify/verify.hpp"

namespace mirvok {
namespace {

const std::filesystem::path kCorpus =
    (std::filesystem::path(MIRVOK_TEST_DATA) / "../../../fuzz/corpus").lexically_normal();

// Lines of nothing but spaces, tabs and CRs, counted by hand.
long long blankLines(const std::string& text) {
    long long blank = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = std::string_view(text).substr(at, end - at);
        blank += line.find_first_not_of(" \t\r") == std::string_view::npos ? 1 : 0;
        at = end + 1;
    }
    return blank;
}

// Every reader of a result file sees the same records, damaged lines and
// partial records in every file of the fuzz corpus: read_results (and the
// sweep browser's kept records), replay, verify and --continue.
TEST(reader_agreement, every_reader_counts_the_same_records_damaged_and_partial_lines) {
    testing::TempDir dir;
    for (const char* target : {"result_file_reader", "record_line_parser"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kCorpus / target)) {
            SCOPED_TRACE(entry.path().string());
            // A header first: replay passes line 1 over whatever it holds.
            const std::string text = testing::readFile(entry.path().string());
            const std::string file = dir.file("f.csv");
            testing::writeFile(file, "NEW;isi: 20.000000; shape: 2500.000000; #: 9\n" + text);

            const auto sections = readResultSections(file).value();
            std::size_t records = 0, damaged = 0, partialOutputs = 0;
            for (const ResultSection& s : sections) {
                records += s.records.size();
                damaged += s.damagedRecords;
                for (const RecordValues& r : s.records) partialOutputs += r.outputPartial ? 1 : 0;
            }
            const ReplaySource replay = readReplaySource(file).value();
            EXPECT_EQ(replay.lists.size(), records);
            EXPECT_EQ(replay.damagedRecords, damaged);
            EXPECT_EQ(replay.partialRecords, partialOutputs);

            // verify compares every line after a header: a blank one differs too.
            VerifySettings settings;
            settings.run.threads = 1;
            const VerifyReport report = verifyPath(file, settings);
            EXPECT_EQ(report.checked, static_cast<long long>(records + damaged) + blankLines(text));

            const LastBatch last = readLastBatch(file).value();
            const bool cut = !text.empty() && text.back() != '\n';
            if (sections.size() == 1 && last.strayLine == 0 && !cut) {
                EXPECT_EQ(static_cast<std::size_t>(last.records), records);
            }
        }
    }
}

}  // namespace
}  // namespace mirvok
