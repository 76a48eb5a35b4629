#include "verify/verify.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>

#include "base/errors.hpp"
#include "batch/parallel_batch.hpp"
#include "batch/setup_workers.hpp"
#include "support/added_value_row.hpp"
#include "support/temp_dir.hpp"
#include "text/json.hpp"
#include "values/value_table.hpp"
#include "values/value_texts.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// Sweeps as version 6.1 wrote them: four points, whole with kept records,
// and split in two parts.
const std::string kSweeps =
    (std::filesystem::path(MIRVOK_TEST_DATA) / "../../sweep/data/v6.1").lexically_normal();

BatchSetup setupOf(NamedTexts texts) {
    return batchSetupFrom(texts, {});
}

// Records first .. first + count - 1 of the batch (a header first unless it
// continues), each made by work, and the entry describing them.
void writeRecords(const std::string& path, ResultFileMode mode, const std::string& header,
                  int first, int count, const IterationWork& work, const Provenance& entry) {
    ParallelBatch batch;
    batch.target = {path, mode};
    batch.header = header;
    batch.plan = planRun(count, 2, 1000);
    runParallelBatch(batch, [&](int worker, int i) { return work(worker, first + i); });
    recordProvenance(
        path, entry,
        mode == ResultFileMode::Truncate ? ProvenanceMode::Replace : ProvenanceMode::Append);
}

// `mirvok-cli batch` of these values and seed, `count` of its `iterations`
// runs from `first` on.
void writeBatch(const std::string& path, const BatchSetup& setup, std::uint64_t seed,
                int iterations, ResultFileMode mode, int first = 0, int count = -1) {
    SetupWorkers workers(setup, 2);
    Provenance entry = provenanceOf("mirvok-cli", "batch", batchValuesJson(setup));
    entry.seed = seed;
    entry.iterations = iterations;
    entry.runs = count < 0 ? iterations : count;
    if (mode == ResultFileMode::Continue) entry.more["continued_from"] = first;
    const std::string header =
        mode == ResultFileMode::Continue
            ? ""
            : formatResultHeader(setup.generator.isi, setup.headerShape, iterations);
    writeRecords(path, mode, header, first, static_cast<int>(entry.runs), workers.generated(seed),
                 entry);
}

VerifyReport verified(const std::string& path, const VerifySettings& settings = {}) {
    VerifySettings s = settings;
    s.run.threads = 2;
    return verifyPath(path, s);
}

// The lines of a file, edited and written back.
void editLines(const std::string& path,
               const std::function<void(std::vector<std::string>&)>& edit) {
    std::vector<std::string> lines;
    std::string text = readFile(path);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    edit(lines);
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    writeFile(path, out);
}

// Where the n-th semicolon of a line is (from 1).
std::size_t semicolon(const std::string& line, int n) {
    std::size_t at = line.find(';');
    while (--n > 0) at = line.find(';', at + 1);
    return at;
}

TEST(verify, a_batch_appended_to_and_one_continued_after_an_interruption_pass) {
    TempDir dir;
    const std::string file = dir.file("r.csv");
    writeBatch(file, setupOf({}), 3, 12, ResultFileMode::Truncate);
    writeBatch(file, setupOf({{"gamma1", "0.01"}}), 4, 10, ResultFileMode::Append);
    const BatchSetup third = setupOf({{"cv", "0.5"}});
    writeBatch(file, third, 5, 20, ResultFileMode::Append, 0, 7);  // interrupted
    writeBatch(file, third, 5, 20, ResultFileMode::Continue, 7, 13);
    const VerifyReport report = verified(file);
    EXPECT_EQ(closingLine(report), "42 records checked, 0 differ");
    EXPECT_EQ(report.differences, std::vector<std::string>{});
}

TEST(verify, a_changed_record_or_value_fails_naming_the_record) {
    struct Case {
        const char* name;
        std::function<void(std::vector<std::string>&)> editFile;
        std::string editJson;  // replaces "gamma1":0.009 in the provenance
        std::string first;     // the first difference line starts so
        long long differ;      // 0: some
    };
    const std::vector<Case> cases{
        {"a digit of q",
         [](auto& lines) {
             char& digit = lines[4][semicolon(lines[4], 5) - 1];
             digit = digit == '1' ? '2' : '1';
         },
         "", "record 3 (line 5): q: found ", 1},
        {"a spike removed",
         [](auto& lines) {
             const std::size_t at = lines[7].rfind("\";\"") + 3;
             lines[7].erase(at, lines[7].find(',', at) + 1 - at);
         },
         "", "record 6 (line 8): output list: found ", 1},
        {"records swapped", [](auto& lines) { std::swap(lines[2], lines[3]); }, "",
         "record 1 (line 3): index: found 2, expected 1", 2},
        {"a value of its provenance", nullptr, "\"gamma1\":0.03", "record ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string file = dir.file("r.csv");
        writeBatch(file, setupOf({}), 9, 10, ResultFileMode::Truncate);
        if (c.editFile) editLines(file, c.editFile);
        if (!c.editJson.empty()) {
            std::string json = readFile(file + ".json");
            json.replace(json.find("\"gamma1\":0.009"), 14, c.editJson);
            writeFile(file + ".json", json);
        }
        const VerifyReport report = verified(file);
        if (c.differ > 0) {
            EXPECT_EQ(report.differ, c.differ);
        }
        EXPECT_EQ(report.checked, 10);
        ASSERT_FALSE(report.differences.empty());
        EXPECT_EQ(report.differences.front().rfind(c.first, 0), 0U) << report.differences.front();
    }
}

TEST(verify, a_replay_is_made_again_from_its_source_while_unchanged_else_from_its_inputs) {
    TempDir dir;
    const std::string source = dir.file("source.csv");
    const std::string file = dir.file("replay.csv");
    writeBatch(source, setupOf({}), 2, 8, ResultFileMode::Truncate);
    const BatchSetup setup = setupOf({{"gamma2", "0.008"}});
    const ReplaySource lists = readReplaySource(source).value();
    SetupWorkers workers(setup, 2);
    Provenance entry =
        provenanceOf("mirvok-cli", "replay", batchValuesJson(setup, notReadByReplay()));
    entry.source = source;
    entry.iterations = entry.runs = 8;
    entry.more["source_sha256"] = lists.sha256;
    writeRecords(file, ResultFileMode::Truncate,
                 formatResultHeader(setup.generator.isi, setup.headerShape, 100), 0, 8,
                 workers.replayed(lists.lists), entry);
    VerifySettings settings;
    EXPECT_EQ(verified(file, settings).differ, 0);
    EXPECT_EQ(verified(file, settings).notes, std::vector<std::string>{});

    // An input list that is not the source's output list.
    editLines(file, [](auto& lines) { lines[3].insert(semicolon(lines[3], 6) + 1 + 1, " 1,"); });
    const VerifyReport fromSource = verified(file, settings);
    EXPECT_EQ(fromSource.differ, 1);
    EXPECT_EQ(fromSource.differences.back(),
              "record 2 (line 4): input list: found " + std::to_string(lists.lists[2].size() + 1) +
                  " spikes, expected " + std::to_string(lists.lists[2].size()) +
                  " spikes (spike 1: found 1, expected " + std::to_string(lists.lists[2].front()) +
                  ")");

    // Its source changed: each record from its own input list.
    writeBatch(source, setupOf({}), 2, 8, ResultFileMode::Append);
    const VerifyReport fromInputs = verified(file, settings);
    ASSERT_EQ(fromInputs.notes.size(), 1U);
    EXPECT_NE(fromInputs.notes.front().find(source + " changed since"), std::string::npos);
    // The provenance vouched for the source: its loss is a difference.
    EXPECT_EQ(fromInputs.differ, 2);
    EXPECT_EQ(fromInputs.differences.front(),
              "the batch at line 1: source: " + source + " changed since");
    EXPECT_EQ(fromInputs.differences.at(1).rfind("record 2 (line 4): in_spikes: ", 0), 0U);
}

TEST(verify, a_file_without_provenance_is_made_again_from_its_inputs_with_the_values_given) {
    TempDir dir;
    const std::string file = dir.file("r.csv");
    writeBatch(file, setupOf({{"gamma1", "0.02"}, {"cv", "0.3"}}), 1, 10, ResultFileMode::Truncate);
    std::filesystem::remove(file + ".json");
    VerifySettings settings;
    settings.givenValues = {{"gamma1", "0.02"}};
    const VerifyReport given = verified(file, settings);
    EXPECT_EQ(closingLine(given), "10 records checked, 0 differ");
    ASSERT_EQ(given.notes.size(), 1U);
    EXPECT_EQ(given.notes.front(), file + " has no " + file +
                                       ".json: each record was made again from its input list "
                                       "with the values given");
    EXPECT_GT(verified(file).differ, 0);
}

// A window batch whose values were edited while it ran: each record made
// with the values its run read, but for the one whose run read two rates.
TEST(verify, a_window_batch_is_made_again_with_the_values_each_run_read) {
    TempDir dir;
    const std::string file = dir.file("output.csv");
    const BatchSetup first = setupOf({});
    const BatchSetup second = setupOf({{"gamma2", "0.008"}});
    const BatchSetup third = setupOf({{"gamma2", "0.008"}, {"gamma1", "0.02"}});
    SetupWorkers a(first, 2), b(second, 2), c(third, 2);
    const IterationWork work = [&](int worker, int i) {
        SetupWorkers* made = i < 4 || i == 6 ? &a : i < 6 ? &b : &c;
        return made->generated(11)(worker, i);
    };
    Provenance entry = provenanceOf("mirvok", "batch", batchValuesJson(first));
    entry.seed = 11;
    entry.iterations = entry.runs = 10;
    entry.more["changes"] = parseJson(R"([{"from_run": 4, "gamma2": 0.008},
        {"from_run": 6, "within_run": true, "gamma1": 0.02}])")
                                .value();
    // The header names the shape box, which no value gives: the window
    // records the header it wrote.
    const std::string header = formatResultHeader(20, 1000, 10);
    entry.more["header"] = header.substr(0, header.size() - 1);
    writeRecords(file, ResultFileMode::Truncate, header, 0, 10, work, entry);
    const VerifyReport report = verified(file);
    EXPECT_EQ(closingLine(report), "9 records checked, 0 differ");
    EXPECT_EQ(report.inexact, std::vector<std::string>{"record 6 (line 8): cannot be made again "
                                                       "exactly: gamma1 edited while it ran"});

    editLines(file, [](auto& lines) { lines[0].replace(lines[0].find("1000."), 5, "2500."); });
    EXPECT_EQ(verified(file).differences,
              std::vector<std::string>{
                  "header (line 1): shape: found 2500.000000, expected 1000.000000"});
    // An older window file, whose header was not recorded: its shape is not checked.
    entry.more.erase("header");
    recordProvenance(file, entry, ProvenanceMode::Replace);
    EXPECT_EQ(closingLine(verified(file)),
              "9 records checked, 0 differ; not checked: the shape in the header of the batch at "
              "line 1");
}

TEST(verify, a_sweep_folder_checks_its_rows_kept_records_and_summaries) {
    TempDir dir;
    std::filesystem::copy(kSweeps, dir.path(), std::filesystem::copy_options::recursive);
    EXPECT_EQ(closingLine(verified(dir.file("whole"))), "20 records checked, 0 differ");
    EXPECT_EQ(closingLine(verified(dir.file("split/sweep.json"))), "8 records checked, 0 differ");

    editLines(dir.file("whole/points/p-00001.row"), [](auto& lines) { lines[0][0] = '2'; });
    editLines(dir.file("whole/points/p-00002.csv"),
              [](auto& lines) { std::swap(lines[1], lines[2]); });
    editLines(dir.file("split/summary.part-2-of-2.csv"), [](auto& lines) { lines.pop_back(); });
    const VerifyReport whole = verified(dir.file("whole"));
    EXPECT_EQ(whole.differ, 3);
    EXPECT_EQ(whole.differences.front(),
              dir.file("whole/points/p-00001.row") + ": point: found 2, expected 1");
    EXPECT_EQ(whole.differences.at(1).rfind(dir.file("whole/points/p-00002.csv") +
                                                ": record 0 (line 2): index: found 1, expected 0",
                                            0),
              0U);
    const VerifyReport split = verified(dir.file("split"));
    EXPECT_EQ(split.differences,
              std::vector<std::string>{dir.file("split/summary.part-2-of-2.csv") +
                                       ": the row of point 3: missing"});

    // Without a summary holding it, a point whose row is damaged is still checked.
    std::filesystem::remove(dir.file("whole/summary.csv"));
    const VerifyReport running = verified(dir.file("whole"));
    EXPECT_EQ(running.differ, 3);
    EXPECT_EQ(running.differences.front(),
              dir.file("whole/points/p-00001.row") + ": point: found 2, expected 1");
}

// A batch and a sweep of version 6.1 check out after a value was added: each
// point and run is made again with the value as it was before.
TEST(verify, files_made_before_a_value_was_added_are_made_again_with_its_value_before) {
    TempDir dir;
    std::filesystem::copy(kSweeps + "/whole", dir.file("whole"),
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy(
        (std::filesystem::path(MIRVOK_TEST_DATA) / "../../records/data/v6.1").lexically_normal(),
        dir.file("batch"), std::filesystem::copy_options::recursive);
    const AddedRefractory added;
    EXPECT_EQ(closingLine(verified(dir.file("batch/batch.csv"))), "3 records checked, 0 differ");
    EXPECT_EQ(refractoryRead.load(), 0.0);
    refractoryRead = 2.5;
    EXPECT_EQ(closingLine(verified(dir.file("whole"))), "20 records checked, 0 differ");
    EXPECT_EQ(refractoryRead.load(), 0.0);
}

TEST(verify, what_cannot_be_read_whole_in_the_memory_there_is_is_refused_never_passed) {
    TempDir dir;
    const std::string file = dir.file("r.csv");
    writeBatch(file, setupOf({}), 3, 4, ResultFileMode::Truncate);
    const std::string good = readFile(file);
    VerifySettings small;
    small.run.availableBytes = 100'000;
    writeFile(file, good + std::string(300'000, '7'));
    EXPECT_THROW(verified(file, small), InputError);
    // Zeroed blocks after the records are no record, however many.
    writeFile(file, good + std::string(300'000, '\0'));
    EXPECT_EQ(verified(file).differ, 1);
    // A check makes the runs the file holds: only fewer threads can help.
    writeFile(file, good);
    small.run.availableBytes = 1000;
    try {
        verified(file, small);
        ADD_FAILURE() << "a check beyond the memory ran";
    } catch (const InputError& e) {
        EXPECT_EQ(std::string(e.what()).find("run time"), std::string::npos) << e.what();
    }
}

TEST(verify, a_sweep_folder_fails_when_its_provenance_or_a_file_it_promises_is_changed_or_gone) {
    TempDir dir;
    std::filesystem::copy(kSweeps, dir.path(), std::filesystem::copy_options::recursive);
    const auto replaceIn = [](const std::string& file, const std::string& from,
                              const std::string& to) {
        std::string text = readFile(file);
        text.replace(text.find(from), from.size(), to);
        writeFile(file, text);
    };
    replaceIn(dir.file("whole/points/p-00001.csv.json"), "\"gamma1\": 1e-04", "\"gamma1\": 2e-04");
    replaceIn(dir.file("whole/summary.csv.json"), "\"seed\": 7", "\"seed\": 8");
    std::filesystem::remove(dir.file("whole/points/p-00003.csv"));
    const VerifyReport whole = verified(dir.file("whole"));
    EXPECT_EQ(whole.differ, 3);
    const auto listed = [&whole](const std::string& start) {
        return std::any_of(whole.differences.begin(), whole.differences.end(),
                           [&start](const std::string& line) { return line.starts_with(start); });
    };
    EXPECT_TRUE(listed(dir.file("whole/points/p-00001.csv.json") + ": values: found "));
    EXPECT_TRUE(listed(dir.file("whole/summary.csv.json") + ": seed: found 8, expected 7"));
    EXPECT_TRUE(listed(dir.file("whole/points/p-00003.csv") + ": missing"));

    std::filesystem::remove(dir.file("split/summary.part-1-of-2.csv"));
    EXPECT_EQ(verified(dir.file("split")).differences,
              std::vector<std::string>{dir.file("split/summary.part-1-of-2.csv") + ": missing"});
}

TEST(verify, a_check_asked_to_stop_says_how_far_it_got) {
    TempDir dir;
    const std::string file = dir.file("r.csv");
    writeBatch(file, setupOf({}), 3, 500, ResultFileMode::Truncate);
    std::atomic<bool> compared{false};
    VerifySettings settings;
    settings.run.progress = [&compared](long long, long long) { compared = true; };
    settings.run.stop = [&compared] { return compared.load(); };
    const VerifyReport report = verified(file, settings);
    EXPECT_TRUE(report.stopped);
    EXPECT_GT(report.checked, 0);
    EXPECT_LT(report.checked, 500);
}

}  // namespace
}  // namespace mirvok
