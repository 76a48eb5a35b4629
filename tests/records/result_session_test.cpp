#include "records/result_session.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/errors.hpp"
#include "support/file_limit.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

const std::string kHeader = "NEW;isi: 20.000000; shape: 1.000000; #: 3\n";
const std::string kRecords =
    "   0; 1;0.00; 0;0.00;0.00;\"   5,\";\"\";\n"
    "   1; 1;0.00; 0;0.00;0.00;\"   6,\";\"\";\n";

SessionStart startOf(const std::string& name, ResultFileMode mode,
                     Previous previous = Previous::Kept) {
    Provenance entry = provenanceOf("mirvok-cli", "batch", Json::object());
    entry.seed = 9;
    return {{name, mode}, previous, entry};
}

Provenance lastEntry(const std::string& result) {
    const auto entries = readProvenance(result + ".json");
    EXPECT_TRUE(entries && !entries->empty());
    return entries->back();
}

TEST(result_session, the_entry_says_running_before_the_first_record_and_counts_what_it_ended_with) {
    TempDir dir;
    const std::string out = dir.file("out.csv");
    writeFile(out, "NEW;earlier\n");
    ResultSession session(startOf(out, ResultFileMode::Append));
    const Provenance running = lastEntry(out);
    EXPECT_EQ(running.state, EntryState::Running);
    EXPECT_EQ(running.atByte, 12u);
    EXPECT_EQ(running.seed, 9u);
    session.writeHeader(kHeader);
    session.writeRecords(kRecords, 2);
    session.end(EntryState::Interrupted);
    EXPECT_EQ(lastEntry(out).state, EntryState::Interrupted);
    EXPECT_EQ(lastEntry(out).runs, 2);
    EXPECT_EQ(readFile(out), "NEW;earlier\n" + kHeader + kRecords);
}

TEST(result_session, an_error_puts_the_replaced_file_back_and_keeps_the_records_beside_it) {
    TempDir dir;
    const std::string out = dir.file("out.csv");
    writeFile(out, "old\n");
    writeFile(out + ".json", "[\n]\n");
    std::string note;
    {
        ResultSession session(startOf(out, ResultFileMode::Truncate));
        EXPECT_EQ(readFile(out + ".prev"), "old\n");
        EXPECT_EQ(lastEntry(out).state, EntryState::Running);
        session.writeHeader(kHeader);
        session.writeRecords(kRecords, 2);
        note = session.failed();
    }
    EXPECT_EQ(readFile(out), "old\n");
    EXPECT_EQ(readFile(out + ".json"), "[\n]\n");
    EXPECT_FALSE(std::filesystem::exists(out + ".prev"));
    const std::string aside = dir.file("out.partial.csv");
    EXPECT_EQ(note, out + " stays as it was, the 2 records made are in " + aside);
    EXPECT_EQ(readFile(aside), kHeader + kRecords);
    EXPECT_EQ(lastEntry(aside).state, EntryState::Failed);
    EXPECT_EQ(lastEntry(aside).runs, 2);
}

TEST(result_session, the_replaced_file_goes_once_complete_or_continued_to_completion) {
    TempDir dir;
    const std::string out = dir.file("out.csv");
    writeFile(out, "old\n");
    {
        ResultSession session(startOf(out, ResultFileMode::Truncate));
        session.writeHeader(kHeader);
        session.end(EntryState::Interrupted);
    }
    EXPECT_EQ(readFile(out + ".prev"), "old\n");
    {
        ResultSession session(startOf(out, ResultFileMode::Continue));
        session.writeRecords(kRecords, 2);
        session.end(EntryState::Complete);
    }
    EXPECT_FALSE(std::filesystem::exists(out + ".prev"));
    EXPECT_EQ(readFile(out), kHeader + kRecords);
    // A replacing batch's own FILE.prev goes when it is complete.
    {
        ResultSession session(startOf(out, ResultFileMode::Truncate));
        session.end(EntryState::Complete);
    }
    EXPECT_FALSE(std::filesystem::exists(out + ".prev"));
    EXPECT_EQ(readFile(out), "");
}

TEST(result_session, a_continuation_closes_the_entry_of_the_killed_batch_it_goes_on_with) {
    TempDir dir;
    const std::string out = dir.file("out.csv");
    // Killed: a process that ends without ending its session.
    ASSERT_TRUE(testing::inChildWithFileLimit(RLIM_INFINITY, [&] {
        auto* killed = new ResultSession(startOf(out, ResultFileMode::Truncate));
        killed->writeHeader(kHeader);
        killed->writeRecords(kRecords, 2);
        return true;
    }));
    EXPECT_EQ(lastEntry(out).state, EntryState::Running);
    SessionStart next = startOf(out, ResultFileMode::Continue);
    next.entry->more["continued_from"] = 2;
    ResultSession continuation(next);
    const auto entries = readProvenance(out + ".json");
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ(entries->front().state, EntryState::Interrupted);
    EXPECT_EQ(entries->front().runs, 2);
    EXPECT_EQ(entries->back().atByte, (kHeader + kRecords).size());
}

TEST(result_session, a_batch_replacing_an_unfinished_one_puts_both_files_back_on_an_error) {
    TempDir dir;
    const std::string out = dir.file("out.csv");
    writeFile(out, "unfinished\n");
    writeFile(out + ".prev", "old\n");
    {
        ResultSession session(startOf(out, ResultFileMode::Truncate));
        (void)session.failed();
    }
    EXPECT_EQ(readFile(out), "unfinished\n");
    EXPECT_EQ(readFile(out + ".prev"), "old\n");
    {
        ResultSession session(startOf(out, ResultFileMode::Truncate));
        session.end(EntryState::Complete);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(result_session, an_append_that_wrote_no_line_leaves_no_entry) {
    TempDir dir;
    const std::string out = dir.file("out.csv");
    writeFile(out, "NEW;earlier\n");
    writeFile(out + ".json", "not mine");
    {
        ResultSession session(startOf(out, ResultFileMode::Append));
        (void)session.failed();
    }
    EXPECT_EQ(readFile(out + ".json"), "not mine");
}

TEST(result_session, a_write_cut_short_counts_the_whole_records_that_reached_the_file) {
    TempDir dir;
    const std::string out = dir.file("out.csv");
    std::string lines;
    for (int i = 0; i < 100; ++i) lines += kRecords;
    const rlim_t limit = 2000;  // FILE.json fits, the records do not
    const auto fit =
        static_cast<int>(std::count(lines.begin(), lines.begin() + (limit - kHeader.size()), '\n'));
    EXPECT_TRUE(testing::inChildWithFileLimit(limit, [&] {
        ResultSession session(startOf(out, ResultFileMode::Truncate));
        session.writeHeader(kHeader);
        try {
            session.writeRecords(lines, 200);
        } catch (const FileError&) {
            return session.records() == fit;
        }
        return false;
    }));
    EXPECT_EQ(lastEntry(out).state, EntryState::Failed);
    EXPECT_EQ(lastEntry(out).runs, fit);
}

}  // namespace
}  // namespace mirvok
