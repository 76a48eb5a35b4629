#include "batch/batch_loops.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "batch/batch_iteration.hpp"
#include "batch/record_line_parser.hpp"
#include "batch_test_hooks.hpp"
#include "batch_test_support.hpp"

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

FixedBatchSettings settingsFor(const std::string& path, int ntests) {
    FixedBatchSettings settings;
    settings.target = {path, ResultFileMode::Truncate};
    settings.ntests = ntests;
    settings.headerShape = 2500.0;
    settings.seed = 12345;
    return settings;
}

TEST(batch_loops, generated_batch_writes_header_and_records_in_iteration_order) {
    TempDir dir;
    const std::string path = dir.file("output.csv");
    SimState state;
    LoggingHooks hooks(settingsFor(path, 5), state);
    const BatchReport report = runGeneratedBatch(state, hooks);

    const auto lines = linesOf(readFile(path));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "NEW;isi: 20.000000; shape: 2500.000000; #: 5");
    BatchSums expected;
    for (int i = 0; i < 5; ++i) {
        // Any thread running iteration i on a state of its own gives the same record.
        SimState own;
        FixedBatchSettings s = settingsFor(path, 5);
        Pcg31 source = iterationSource(s.seed, static_cast<std::uint64_t>(i));
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
    runGeneratedBatch(state, hooks);
    const std::vector<std::string> expected = {"started", "choose",     "iterations", "shape",
                                               "isi",     "iterations", "before 0",   "make 0",
                                               "run",     "iterations", "before 1",   "make 1",
                                               "run",     "iterations", "cleanup",    "finished"};
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
        const BatchReport report = runGeneratedBatch(state, hooks);
        const auto lines = linesOf(readFile(dir.file("o.csv")));
        ASSERT_EQ(lines.size(), c.records + 1) << c.name;
        EXPECT_NE(lines[0].find(c.headerCount), std::string::npos) << c.name;
        EXPECT_EQ(report.sums.runs, static_cast<int>(c.records)) << c.name;
        for (std::size_t i = 0; i < c.records; ++i) {
            char index[8];
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
        runGeneratedBatch(state, hooks);
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
    LoggingHooks failing(settingsFor(dir.path().string(), 5), state);
    const BatchReport failed = runGeneratedBatch(state, failing);
    EXPECT_EQ(failed.end, BatchEnd::OpenFailed);
    EXPECT_EQ(failing.openFailureMessage, "Could not write the file " + dir.path().string());
    EXPECT_EQ(failing.calls,
              (std::vector<std::string>{"started", "choose", "openFailed", "cleanup", "finished"}));
    EXPECT_EQ(summaryTexts(failed.sums, failed.fileName, '.').avg, "avg: -");
    EXPECT_FALSE(state.batchRunning);

    struct CancellingHooks : LoggingHooks {
        using LoggingHooks::LoggingHooks;
        std::optional<ResultTarget> chooseResultFile() override { return std::nullopt; }
    } cancelling(settingsFor(dir.file("never.csv"), 5), state);
    EXPECT_EQ(runGeneratedBatch(state, cancelling).end, BatchEnd::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(dir.file("never.csv")));
    EXPECT_EQ(cancelling.calls, (std::vector<std::string>{"started", "cleanup", "finished"}));
}

TEST(batch_loops, an_error_ends_the_batch_after_closing_and_cleaning_up) {
    const char* throwPoints[] = {"started",  "iterations", "shape", "isi",
                                 "before 1", "make 2",     "run"};
    for (const char* point : throwPoints) {
        TempDir dir;
        SimState state;
        FixedBatchSettings settings = settingsFor(dir.file("o.csv"), 3);
        settings.reset.time = 100;
        LoggingHooks hooks(settings, state);
        hooks.throwAt = point;
        const std::size_t descriptors = openDescriptors();
        EXPECT_THROW(runGeneratedBatch(state, hooks), EConvertError) << point;
        EXPECT_FALSE(state.batchRunning) << point;
        EXPECT_EQ(openDescriptors(), descriptors) << point << ": result file left open";
        ASSERT_FALSE(hooks.calls.empty());
        EXPECT_EQ(hooks.calls.back(), "cleanup") << point;
        EXPECT_FALSE(hooks.runningSeen.back()) << point;
    }
    // A full disk at the header is an error of the batch, not a success.
    SimState state;
    LoggingHooks full(settingsFor("/dev/full", 3), state);
    EXPECT_THROW(runGeneratedBatch(state, full), FileError);
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
    EXPECT_THROW(runGeneratedBatch(state, hooks), EConvertError);
    EXPECT_EQ(linesOf(readFile(dir.file("o.csv"))).size(), 3u);
}

}  // namespace
}  // namespace mirvok
