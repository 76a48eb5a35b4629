#include "batch/batch_loops.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sstream>

#include "base/errors.hpp"
#include "batch/batch_iteration.hpp"
#include "support/fixed_live_batch.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

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
    settings.header = {20.0, 2500.0, ntests};
    return settings;
}

// A batch whose count, events and Stop a test scripts.
struct ScriptedBatch : FixedLiveBatch {
    using FixedLiveBatch::FixedLiveBatch;

    std::function<int(int read)> countAt;  // the count by read number, from 0
    std::function<void()> onPump;
    int throwAtStart = -1;  // this iteration's start throws a conversion error
    int stopAfter = -1;     // Stop after this many records
    int reads = 0;
    int records = 0;
    std::vector<int> totals;  // as each iteration started

    int iterations() override {
        const int read = reads++;
        return countAt ? countAt(read) : FixedLiveBatch::iterations();
    }
    void pumpEvents() override {
        if (onPump) onPump();
    }
    void iterationStarts(int index, int total) override {
        if (index == throwAtStart) throw EConvertError("'x' is not a valid integer value");
        totals.push_back(total);
    }
    bool recorded(const IterationOutcome&) override { return ++records == stopAfter; }
};

// A generated batch of n runs at path, as the file a replay reads.
void writeGeneratedBatch(const std::string& path, int n) {
    SimState state;
    FixedLiveBatch(settingsFor(path, n)).runGenerated(state, kSeed);
}

TEST(batch_loops, generated_batch_writes_header_and_records_in_iteration_order) {
    TempDir dir;
    const std::string path = dir.file("output.csv");
    SimState state;
    const BatchReport report = FixedLiveBatch(settingsFor(path, 5)).runGenerated(state, kSeed);

    const auto lines = linesOf(readFile(path));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "NEW;isi: 20.000000; shape: 2500.000000; #: 5");
    BatchSums expected;
    for (int i = 0; i < 5; ++i) {
        // Any thread running iteration i on a state of its own gives the same record.
        SimState own;
        FixedBatchSettings s = settingsFor(path, 5);
        SetupValues values(s);
        Pcg31 source = iterationSource(kSeed, static_cast<std::uint64_t>(i));
        const IterationOutcome outcome =
            runGeneratedIteration(own, s.generator, source, {values}, i);
        EXPECT_EQ(lines[i + 1] + "\n", outcome.record);
        expected.add(outcome.results.analysisResult, outcome.results.localScoreMean);
        // Spikes near multiples of 40 steps at the defaults.
        EXPECT_GT(std::count(outcome.record.begin(), outcome.record.end(), ','), 40);
    }
    EXPECT_EQ(lines[3].substr(0, 5), "   2;");
    EXPECT_EQ(report.end, BatchEnd::Completed);
    EXPECT_EQ(report.sums.runs, 5);
    EXPECT_DOUBLE_EQ(report.sums.resultSum, expected.resultSum);
    EXPECT_DOUBLE_EQ(report.sums.localSum, expected.localSum);
}

TEST(batch_loops, iteration_count_is_read_before_every_iteration) {
    struct Case {
        const char* name;
        std::function<int(int)> count;  // by read number
        std::size_t records;
    };
    const Case cases[] = {
        {"raised from 10 to 20 during iteration 5", [](int r) { return r <= 5 ? 10 : 20; }, 20},
        {"lowered from 10 to 3 during iteration 5", [](int r) { return r <= 5 ? 10 : 3; }, 6},
        {"zero", [](int) { return 0; }, 0},
        {"negative", [](int) { return -4; }, 0},
    };
    for (const Case& c : cases) {
        TempDir dir;
        SimState state;
        FixedBatchSettings settings = settingsFor(dir.file("o.csv"), 10);
        settings.reset.time = 100;  // short runs keep this quick
        ScriptedBatch batch(settings);
        batch.countAt = c.count;
        const BatchReport report = batch.runGenerated(state, kSeed);
        const auto lines = linesOf(readFile(dir.file("o.csv")));
        ASSERT_EQ(lines.size(), c.records + 1) << c.name;
        EXPECT_NE(lines[0].find("#: 10"), std::string::npos) << c.name;
        EXPECT_EQ(report.sums.runs, static_cast<int>(c.records)) << c.name;
        for (std::size_t i = 0; i < c.records; ++i) {
            char index[24];
            std::snprintf(index, sizeof index, "%4zu;", i);
            EXPECT_EQ(lines[i + 1].substr(0, 5), index) << c.name;
            // The progress's total is the count as read for that iteration.
            EXPECT_EQ(batch.totals[i], c.count(static_cast<int>(i))) << c.name;
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
        FixedLiveBatch(settings).runGenerated(state, kSeed);
    }
    const auto lines = linesOf(readFile(path));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].substr(0, 4), "NEW;");
    EXPECT_EQ(lines[3].substr(0, 4), "NEW;");
    EXPECT_EQ(lines[1].substr(0, 5), "   0;");
    EXPECT_EQ(lines[4].substr(0, 5), "   0;");
    EXPECT_EQ(lines[5].substr(0, 5), "   1;");
}

TEST(batch_loops, a_result_file_that_cannot_be_opened_ends_the_batch_without_a_run) {
    TempDir dir;
    SimState state;
    ScriptedBatch batch(settingsFor(dir.path(), 5));
    const BatchReport report = batch.runGenerated(state, kSeed);
    EXPECT_EQ(report.end, BatchEnd::OpenFailed);
    EXPECT_EQ(report.openFailure, "Could not write the file " + dir.path());
    EXPECT_FALSE(report.openBusy);
    EXPECT_EQ(report.sums.runs, 0);
    EXPECT_EQ(batch.reads, 0);

    // A file another process writes cannot be opened either, and stays as it was.
    const std::string busy = dir.file("output.csv");
    testing::writeFile(busy, "theirs\n");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        ResultFile theirs(busy, ResultFileMode::Append);
        (void)!::write(ready[1], "x", 1);
        ::pause();
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ScriptedBatch locked(settingsFor(busy, 5));
    const BatchReport refused = locked.runGenerated(state, kSeed);
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    EXPECT_EQ(refused.end, BatchEnd::OpenFailed);
    EXPECT_TRUE(refused.openBusy);
    EXPECT_EQ(refused.openFailure, FileBusy(busy, writer).what());
    EXPECT_EQ(readFile(busy), "theirs\n");
}

// An error ends either batch where it arises: the file is closed and holds
// the header and the records written before it, every line whole.
TEST(batch_loops, an_error_ends_the_batch_with_its_whole_records) {
    TempDir dir;
    const std::string source = dir.file("source.csv");
    writeGeneratedBatch(source, 4);
    for (const bool replay : {false, true}) {
        SimState state;
        FixedBatchSettings settings = settingsFor(dir.file("o.csv"), 4);
        settings.reset.time = 100;
        ScriptedBatch batch(settings);
        batch.throwAtStart = 2;
        const std::size_t descriptors = openDescriptors();
        EXPECT_THROW(replay ? batch.runReplay(state, *readReplaySource(source))
                            : batch.runGenerated(state, kSeed),
                     EConvertError);
        EXPECT_EQ(openDescriptors(), descriptors) << replay << ": result file left open";
        EXPECT_EQ(linesOf(readFile(dir.file("o.csv"))).size(), 3u) << replay;
    }
    // A full disk at the header is an error of the batch, not a success.
    SimState state;
    EXPECT_THROW(FixedLiveBatch(settingsFor("/dev/full", 3)).runGenerated(state, kSeed), FileError);
}

TEST(batch_loops, a_stop_ends_either_batch_after_the_record_just_written) {
    TempDir dir;
    for (const bool replay : {false, true}) {
        SimState state;
        ScriptedBatch batch(settingsFor(dir.file("o.csv"), 5));
        batch.stopAfter = 2;
        const BatchReport report =
            replay ? batch.runReplay(state, *readReplaySource(MIRVOK_TEST_DATA "/two_batches.csv"))
                   : batch.runGenerated(state, kSeed);
        EXPECT_EQ(report.end, BatchEnd::Stopped) << replay;
        EXPECT_EQ(report.sums.runs, 2) << replay;
        EXPECT_EQ(linesOf(readFile(dir.file("o.csv"))).size(), 3u) << replay;
    }
}

// Events are offered while a run goes on, and a rate changed there acts on
// the rest of that run: the compartments no longer refill.
TEST(batch_loops, a_rate_changed_while_a_run_goes_on_acts_on_that_run) {
    TempDir dir;
    SimState state;
    ScriptedBatch batch(settingsFor(dir.file("o.csv"), 1));
    BatchSetup::Rates& rates = batch.settings().rates;
    bool duringRun = false;
    batch.onPump = [&] {
        if (state.curStep <= 0 || state.curStep >= state.Nsteps) return;
        duringRun = true;
        if (state.curStep > state.Nsteps / 2) rates.g1 = rates.g2 = 0.0;
    };
    batch.runGenerated(state, kSeed);
    EXPECT_TRUE(duringRun);

    SimState unchanged;
    FixedLiveBatch(settingsFor(dir.file("u.csv"), 1)).runGenerated(unchanged, kSeed);
    EXPECT_EQ(state.inSpikeSteps, unchanged.inSpikeSteps);
    EXPECT_LT(state.outSpikeSteps.size(), unchanged.outSpikeSteps.size());
}

TEST(batch_loops, replay_runs_the_output_lists_of_a_batch_file_as_inputs) {
    TempDir dir;
    const std::string source = dir.file("first.csv");
    const std::string result = dir.file("second.csv");
    writeGeneratedBatch(source, 4);
    const auto sourceLines = linesOf(readFile(source));

    SimState state;
    ScriptedBatch batch(settingsFor(result, 99));
    const BatchReport report = batch.runReplay(state, *readReplaySource(source));
    EXPECT_EQ(report.sums.runs, 4);
    EXPECT_EQ(report.skippedSteps, 0u);
    EXPECT_EQ(batch.reads, 0);  // the count plays no part
    EXPECT_EQ(batch.totals, (std::vector<int>{4, 4, 4, 4}));

    const auto lines = linesOf(readFile(result));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "NEW;isi: 20.000000; shape: 2500.000000; #: 99");
    for (std::size_t k = 1; k < lines.size(); ++k) {
        EXPECT_EQ(inputListText(lines[k]), outputListText(sourceLines[k])) << k;
        EXPECT_EQ(std::stoi(lines[k].substr(0, 4)), static_cast<int>(k - 1));
    }
}

TEST(batch_loops, replay_counts_steps_outside_the_run_and_runs_empty_lists) {
    TempDir dir;
    SimState state;
    const BatchReport report =
        FixedLiveBatch(settingsFor(dir.file("o.csv"), 2))
            .runReplay(state, *readReplaySource(MIRVOK_TEST_DATA "/two_batches.csv"));
    EXPECT_EQ(report.skippedSteps, 2u);  // 12345 and -5

    const auto lines = linesOf(readFile(dir.file("o.csv")));
    ASSERT_EQ(lines.size(), 5u);
    const std::string inputs[] = {"  41,  81,", "", "   7,", "  10,  30,"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(std::stoi(lines[k + 1].substr(0, 4)), k);
        EXPECT_EQ(inputListText(lines[k + 1]), inputs[k]) << k;
    }
    // An empty list runs without spikes: counts 0 and two empty lists.
    EXPECT_EQ(lines[2].substr(0, 8), "   1; 0;");
    EXPECT_EQ(lines[2].substr(lines[2].size() - 6), "\"\";\"\";");

    // A source without records gives the header only.
    const BatchReport none =
        FixedLiveBatch(settingsFor(dir.file("o.csv"), 2)).runReplay(state, ReplaySource{});
    EXPECT_EQ(none.sums.runs, 0);
    EXPECT_EQ(linesOf(readFile(dir.file("o.csv"))).size(), 1u);
}

TEST(batch_loops, replay_iteration_on_a_fresh_state_loads_for_the_run_length) {
    SimState state;  // no reset yet: Nsteps is 0
    const BatchSetup setup;
    SetupValues values(setup);
    const IterationOutcome outcome =
        runReplayIteration(state, std::vector<int>{80, 40, -3, 2000}, {values}, 7);
    EXPECT_EQ(outcome.skippedSteps, 2u);
    EXPECT_EQ(outcome.record.substr(0, 8), "   7; 2;");
    EXPECT_EQ(inputListText(outcome.record), "  40,  80,");
}

}  // namespace
}  // namespace mirvok
