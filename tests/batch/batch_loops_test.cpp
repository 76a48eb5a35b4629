#include "batch/batch_loops.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "batch/batch_iteration.hpp"
#include "batch/results/record_line_parser.hpp"
#include "batch_test_hooks.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using testing::LoggingHooks;
using testing::readFile;
using testing::TempDir;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The text between the first double quote and the first `";"`: the input list.
std::string inputListText(const std::string& line) {
    const auto open = line.find('"');
    return line.substr(open + 1, line.find("\";\"") - open - 1);
}

std::string outputListText(const std::string& line) {
    const auto open = line.find("\";\"") + 3;
    return line.substr(open, line.rfind("\";") - open);
}

std::size_t openDescriptors() {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

constexpr std::uint64_t kSeed = 12345;

FixedBatchSettings settingsFor(const std::string& path, int ntests) {
    FixedBatchSettings settings;
    settings.target = {path, ResultFileMode::Truncate};
    settings.ntests = ntests;
    settings.headerShape = 2500.0;
    return settings;
}

TEST(batch_loops, generated_batch_writes_header_and_records_in_iteration_order) {
    TempDir dir;
    const std::string path = dir.file("output.csv");
    SimState state;
    LoggingHooks hooks(settingsFor(path, 5), state);
    const BatchReport report = runGeneratedBatch(state, kSeed, hooks);

    const auto lines = linesOf(readFile(path));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "NEW;isi: 20.000000; shape: 2500.000000; #: 5");
    BatchSums expected;
    for (int i = 0; i < 5; ++i) {
        // Any thread running iteration i on a state of its own gives the same record.
        SimState own;
        FixedBatchSettings s = settingsFor(path, 5);
        Pcg31 source = iterationSource(kSeed, static_cast<std::uint64_t>(i));
        const IterationOutcome outcome =
            runGeneratedIteration(own, s.generator, source, {s.reset, s.rates, s.analysis}, i);
        EXPECT_EQ(lines[i + 1] + "\n", outcome.record);
        expected.add(outcome.analysisResult, outcome.localScoreMean);
        // Spikes near multiples of 40 steps at the defaults.
        EXPECT_GT(std::count(outcome.record.begin(), outcome.record.end(), ','), 40);
    }
    EXPECT_EQ(lines[3].substr(0, 5), "   2;");
    EXPECT_EQ(report.end, BatchEnd::Completed);
    EXPECT_EQ(report.fileName, path);
    EXPECT_EQ(report.sums.runs, 5);
    EXPECT_DOUBLE_EQ(report.sums.resultSum, expected.resultSum);
    EXPECT_DOUBLE_EQ(report.sums.localSum, expected.localSum);
    EXPECT_EQ(hooks.finished.sums.runs, 5);
    EXPECT_FALSE(state.batchRunning);
    for (bool running : hooks.runningSeen) EXPECT_TRUE(running);
}

TEST(batch_loops, generated_batch_calls_its_hooks_in_order) {
    TempDir dir;
    SimState state;
    LoggingHooks hooks(settingsFor(dir.file("o.csv"), 2), state);
    runGeneratedBatch(state, kSeed, hooks);
    const std::vector<std::string> expected = {
        "started", "choose",     "iterations", "shape",  "isi",        "iterations", "before 0",
        "make 0",  "iterations", "before 1",   "make 1", "iterations", "cleanup",    "finished"};
    EXPECT_EQ(hooks.calls, expected);
}

TEST(batch_loops, iteration_count_is_read_before_every_iteration) {
    struct Case {
        const char* name;
        std::function<int(int)> count;  // by read number; read 0 is the header's
        std::size_t records;
        std::string headerCount;
    };
    const Case cases[] = {
        {"raised from 10 to 20 during iteration 5", [](int r) { return r <= 6 ? 10 : 20; }, 20,
         "#: 10"},
        {"lowered from 10 to 3 during iteration 5", [](int r) { return r <= 6 ? 10 : 3; }, 6,
         "#: 10"},
        {"zero", [](int) { return 0; }, 0, "#: 0"},
        {"negative", [](int) { return -4; }, 0, "#: -4"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        SimState state;
        FixedBatchSettings settings = settingsFor(dir.file("o.csv"), 0);
        settings.reset.time = 100;  // short runs keep this quick
        LoggingHooks hooks(settings, state);
        hooks.iterationsAt = c.count;
        const BatchReport report = runGeneratedBatch(state, kSeed, hooks);
        const auto lines = linesOf(readFile(dir.file("o.csv")));
        ASSERT_EQ(lines.size(), c.records + 1) << c.name;
        EXPECT_NE(lines[0].find(c.headerCount), std::string::npos) << c.name;
        EXPECT_EQ(report.sums.runs, static_cast<int>(c.records)) << c.name;
        for (std::size_t i = 0; i < c.records; ++i) {
            char index[24];
            std::snprintf(index, sizeof index, "%4zu;", i);
            EXPECT_EQ(lines[i + 1].substr(0, 5), index) << c.name;
        }
    }
}

TEST(batch_loops, append_mode_adds_a_second_batch_with_its_own_header) {
    TempDir dir;
    const std::string path = dir.file("output.csv");
    testing::writeFile(path, "old\n");
    SimState state;
    for (ResultFileMode mode : {ResultFileMode::Truncate, ResultFileMode::Append}) {
        FixedBatchSettings settings = settingsFor(path, 2);
        settings.target.mode = mode;
        LoggingHooks hooks(settings, state);
        runGeneratedBatch(state, kSeed, hooks);
    }
    const auto lines = linesOf(readFile(path));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].substr(0, 4), "NEW;");
    EXPECT_EQ(lines[3].substr(0, 4), "NEW;");
    EXPECT_EQ(lines[1].substr(0, 5), "   0;");
    EXPECT_EQ(lines[4].substr(0, 5), "   0;");
    EXPECT_EQ(lines[5].substr(0, 5), "   1;");
}

TEST(batch_loops, unopenable_or_cancelled_result_file_ends_without_a_run) {
    TempDir dir;
    SimState state;
    LoggingHooks failing(settingsFor(dir.path(), 5), state);
    const BatchReport failed = runGeneratedBatch(state, kSeed, failing);
    EXPECT_EQ(failed.end, BatchEnd::OpenFailed);
    EXPECT_EQ(failing.openFailureMessage, "Could not write the file " + dir.path());
    EXPECT_EQ(failing.calls,
              (std::vector<std::string>{"started", "choose", "openFailed", "cleanup", "finished"}));
    EXPECT_EQ(summaryTexts(failed.sums, failed.fileName, '.').avg, "avg: -");
    EXPECT_FALSE(state.batchRunning);

    struct CancellingHooks : LoggingHooks {
        using LoggingHooks::LoggingHooks;
        std::optional<ResultTarget> chooseResultFile() override { return std::nullopt; }
    } cancelling(settingsFor(dir.file("never.csv"), 5), state);
    EXPECT_EQ(runGeneratedBatch(state, kSeed, cancelling).end, BatchEnd::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(dir.file("never.csv")));
    EXPECT_EQ(cancelling.calls, (std::vector<std::string>{"started", "cleanup", "finished"}));
}

TEST(batch_loops, an_error_ends_the_batch_after_closing_and_cleaning_up) {
    const char* throwPoints[] = {"started", "iterations", "shape", "isi", "before 1", "make 2"};
    for (const char* point : throwPoints) {
        TempDir dir;
        SimState state;
        FixedBatchSettings settings = settingsFor(dir.file("o.csv"), 3);
        settings.reset.time = 100;
        LoggingHooks hooks(settings, state);
        hooks.throwAt = point;
        const std::size_t descriptors = openDescriptors();
        EXPECT_THROW(runGeneratedBatch(state, kSeed, hooks), EConvertError) << point;
        EXPECT_FALSE(state.batchRunning) << point;
        EXPECT_EQ(openDescriptors(), descriptors) << point << ": result file left open";
        ASSERT_FALSE(hooks.calls.empty());
        EXPECT_EQ(hooks.calls.back(), "cleanup") << point;
        EXPECT_FALSE(hooks.runningSeen.back()) << point;
    }
    // A full disk at the header is an error of the batch, not a success.
    SimState state;
    LoggingHooks full(settingsFor("/dev/full", 3), state);
    EXPECT_THROW(runGeneratedBatch(state, kSeed, full), FileError);
    EXPECT_EQ(full.calls.back(), "cleanup");
    EXPECT_FALSE(state.batchRunning);
}

TEST(batch_loops, records_written_before_an_error_stay) {
    TempDir dir;
    SimState state;
    FixedBatchSettings settings = settingsFor(dir.file("o.csv"), 5);
    settings.reset.time = 100;
    LoggingHooks hooks(settings, state);
    hooks.throwAt = "make 2";
    EXPECT_THROW(runGeneratedBatch(state, kSeed, hooks), EConvertError);
    EXPECT_EQ(linesOf(readFile(dir.file("o.csv"))).size(), 3u);
}

TEST(batch_loops, a_stop_ends_either_batch_after_the_record_just_written) {
    struct StoppingHooks : LoggingHooks {
        using LoggingHooks::LoggingHooks;
        bool stopRequested() override { return ++records == 2; }
        int records = 0;
    };
    TempDir dir;
    for (const bool replay : {false, true}) {
        SimState state;
        state.Nsteps = 2000;
        StoppingHooks hooks(settingsFor(dir.file("o.csv"), 5), state);
        const BatchReport report =
            replay ? *replayResultFile(state, MIRVOK_TEST_DATA "/two_batches.csv", hooks)
                   : runGeneratedBatch(state, kSeed, hooks);
        EXPECT_EQ(report.end, BatchEnd::Stopped) << replay;
        EXPECT_EQ(report.sums.runs, 2) << replay;
        EXPECT_EQ(linesOf(readFile(dir.file("o.csv"))).size(), 3u) << replay;
        EXPECT_EQ(hooks.calls.back(), "finished") << replay;
    }
}

// A generated batch of n runs at path, as the file a replay reads.
void writeGeneratedBatch(const std::string& path, int n) {
    SimState state;
    LoggingHooks hooks(settingsFor(path, n), state);
    runGeneratedBatch(state, kSeed, hooks);
}

TEST(batch_loops, replay_runs_the_output_lists_of_a_batch_file_as_inputs) {
    TempDir dir;
    const std::string source = dir.file("first.csv");
    const std::string result = dir.file("second.csv");
    writeGeneratedBatch(source, 4);
    const auto sourceLines = linesOf(readFile(source));

    SimState state;
    state.Nsteps = 2000;
    LoggingHooks hooks(settingsFor(result, 99), state);
    const auto report = replayResultFile(state, source, hooks);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->sums.runs, 4);
    EXPECT_EQ(report->skippedSteps, 0u);

    const auto lines = linesOf(readFile(result));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "NEW;isi: 20.000000; shape: 2500.000000; #: 99");
    for (std::size_t k = 1; k < lines.size(); ++k) {
        EXPECT_EQ(inputListText(lines[k]), outputListText(sourceLines[k])) << k;
        EXPECT_EQ(std::stoi(lines[k].substr(0, 4)), static_cast<int>(k - 1));
    }
    const std::vector<std::string> firstCalls = {"started", "choose", "iterations",
                                                 "shape",   "isi",    "before 0"};
    EXPECT_EQ(std::vector<std::string>(hooks.calls.begin(), hooks.calls.begin() + 6), firstCalls);
    EXPECT_EQ(hooks.calls[6].substr(hooks.calls[6].size() - source.size()), source);
    EXPECT_EQ(std::count(hooks.calls.begin(), hooks.calls.end(), "iterations"), 1);
    EXPECT_FALSE(state.batchRunning);
}

TEST(batch_loops, replay_onto_its_own_file_loses_nothing) {
    for (ResultFileMode mode : {ResultFileMode::Truncate, ResultFileMode::Append}) {
        TempDir dir;
        const std::string path = dir.file("output.csv");
        writeGeneratedBatch(path, 3);
        const auto before = linesOf(readFile(path));

        SimState state;
        state.Nsteps = 2000;
        FixedBatchSettings settings = settingsFor(path, 3);
        settings.target.mode = mode;
        LoggingHooks hooks(settings, state);
        ASSERT_TRUE(replayResultFile(state, path, hooks).has_value());

        auto after = linesOf(readFile(path));
        if (mode == ResultFileMode::Append) {
            ASSERT_EQ(after.size(), 8u);
            EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 4), before);
            after.erase(after.begin(), after.begin() + 4);
        }
        ASSERT_EQ(after.size(), 4u);
        for (std::size_t k = 1; k < 4; ++k)
            EXPECT_EQ(inputListText(after[k]), outputListText(before[k])) << k;
    }
}

TEST(batch_loops, replay_skips_lines_without_a_list_damaged_records_and_steps_outside_the_run) {
    TempDir dir;
    SimState state;
    state.Nsteps = 2000;
    LoggingHooks hooks(settingsFor(dir.file("o.csv"), 2), state);
    const auto report = replayResultFile(state, MIRVOK_TEST_DATA "/two_batches.csv", hooks);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->skippedSteps, 2u);    // 12345 and -5
    EXPECT_EQ(report->damagedRecords, 1u);  // the last record, cut inside its output list
    EXPECT_EQ(hooks.finished.damagedRecords, 1u);

    const auto lines = linesOf(readFile(dir.file("o.csv")));
    ASSERT_EQ(lines.size(), 5u);  // the second header gives no record
    const std::string inputs[] = {"  41,  81,", "", "   7,", "  10,  30,"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(std::stoi(lines[k + 1].substr(0, 4)), k);
        EXPECT_EQ(inputListText(lines[k + 1]), inputs[k]) << k;
    }
    // An empty list runs without spikes: counts 0 and two empty lists.
    EXPECT_EQ(lines[2].substr(0, 8), "   1; 0;");
    EXPECT_EQ(lines[2].substr(lines[2].size() - 6), "\"\";\"\";");
}

TEST(batch_loops, replay_of_missing_unreadable_or_empty_files) {
    TempDir dir;
    SimState state;
    LoggingHooks missing(settingsFor(dir.file("o.csv"), 2), state);
    EXPECT_FALSE(replayResultFile(state, dir.file("missing.csv"), missing).has_value());
    EXPECT_TRUE(missing.calls.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.csv")));

    LoggingHooks unreadable(settingsFor(dir.file("o.csv"), 2), state);
    EXPECT_THROW(replayResultFile(state, dir.path(), unreadable), FileError);
    EXPECT_TRUE(unreadable.calls.empty());
    EXPECT_FALSE(state.batchRunning);

    for (const char* content : {"", "NEW;isi: 20.000000; shape: 2500.000000; #: 2\n"}) {
        testing::writeFile(dir.file("in.csv"), content);
        LoggingHooks hooks(settingsFor(dir.file("o.csv"), 2), state);
        const auto report = replayResultFile(state, dir.file("in.csv"), hooks);
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->sums.runs, 0);
        EXPECT_EQ(linesOf(readFile(dir.file("o.csv"))).size(), 1u);
        EXPECT_EQ(summaryTexts(report->sums, report->fileName, '.').avl, "avl: -");
    }
}

TEST(batch_loops, replay_error_cleans_up) {
    TempDir dir;
    SimState state;
    state.Nsteps = 2000;
    LoggingHooks hooks(settingsFor(dir.file("o.csv"), 2), state);
    hooks.throwAt = "run";
    EXPECT_THROW(replayResultFile(state, MIRVOK_TEST_DATA "/two_batches.csv", hooks),
                 EConvertError);
    EXPECT_EQ(hooks.calls.back(), "cleanup");
    EXPECT_FALSE(state.batchRunning);
}

TEST(batch_loops, replay_iteration_on_a_fresh_state_loads_for_the_run_length) {
    SimState state;  // no reset yet: Nsteps is 0
    FixedBatchSettings s;
    const IterationOutcome outcome = runReplayIteration(state, std::vector<int>{80, 40, -3, 2000},
                                                        {s.reset, s.rates, s.analysis}, 7);
    EXPECT_EQ(outcome.skippedSteps, 2u);
    EXPECT_EQ(outcome.record.substr(0, 8), "   7; 2;");
    EXPECT_EQ(inputListText(outcome.record), "  40,  80,");
}

}  // namespace
}  // namespace mirvok
