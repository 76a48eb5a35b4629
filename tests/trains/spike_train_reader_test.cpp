#include "trains/spike_train_reader.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using Numbers = std::vector<int>;

TEST(spike_train_reader, text_grammar_reads_up_to_the_first_place_without_a_number) {
    struct Case {
        const char* text;
        Numbers expected;
    };
    const Case cases[] = {
        {"12,57,103,", {12, 57, 103}},
        {"12,57,103,\r\n\n", {12, 57, 103}},
        {"12\n57\n\n103\n\n", {12, 57, 103}},
        {" 12 \t57\r\n103", {12, 57, 103}},
        {"", {}},
        {" \n\t ", {}},
        {"12,57.5,103,", {12, 57}},
        {"12,57 ,103,", {12, 57}},
        {"12,,57", {12}},
        {",12", {}},
        {"-3,+4,", {-3, 4}},
        {"- 3", {}},
        {"5,-,6", {5}},
        {"12,abc,57", {12}},
        {"12,\n57", {12, 57}},
        {"007,", {7}},
        {"12x", {12}},
        {"99999999999999999999999999,1", {INT_MAX, 1}},
        {"2147483648,-2147483649,", {INT_MAX, INT_MIN}},
        {"-99999999999999999999999999", {INT_MIN}},
    };
    for (const Case& c : cases) EXPECT_EQ(parseSpikeTrainText(c.text), c.expected) << c.text;
    // A NUL byte is no number either.
    EXPECT_EQ(parseSpikeTrainText(std::string_view("4,\0,5", 5)), Numbers{4});
}

TEST(spike_train_reader, load_sorts_keeps_repeats_and_skips_steps_outside_the_run) {
    SimState state;
    state.Nsteps = 100;
    state.inTrain.assign(300, 1);
    state.outTrain.assign(300, 1);
    state.inSpikeSteps = {1, 2};
    state.outSpikeSteps = {9};
    state.curStep = 42;
    const TrainLoad load =
        loadInputTrain(state, Numbers{50, 3, -1, 100, 3, 99, INT_MAX, 0, INT_MIN});
    EXPECT_EQ(load.stored, 5U);
    EXPECT_EQ(load.skipped, 4U);
    EXPECT_EQ(state.inSpikeSteps, (std::vector<int>{0, 3, 3, 50, 99}));
    Flags expected(100, 0);
    for (int k : {0, 3, 50, 99}) expected[static_cast<std::size_t>(k)] = 1;
    EXPECT_EQ(state.inTrain, expected);
    EXPECT_EQ(state.outTrain, Flags(100, 0));
    EXPECT_EQ(state.outSpikeSteps, std::vector<int>{9});
    EXPECT_EQ(state.curStep, 42);
}

TEST(spike_train_reader, skipped_message_names_count_and_range) {
    EXPECT_EQ(skippedStepsMessage(3, 2000), "3 spike steps outside 0 to 1999 were skipped");
    EXPECT_EQ(skippedStepsMessage(1, 1), "1 spike step outside 0 to 0 was skipped");
    EXPECT_EQ(skippedStepsMessage(3, 0), "3 spike steps were skipped: the run has no steps");
}

TEST(spike_train_reader, golden_files_load_as_the_grammar_says) {
    struct Case {
        const char* file;
        std::vector<int> steps;
        std::size_t skipped;
    };
    const Case cases[] = {
        {"saved.txt", {12, 57, 103}, 0},
        {"trailing_comma_line_breaks.txt", {12, 57, 103}, 0},
        {"blanks_and_line_breaks.txt", {12, 57, 103}, 0},
        {"empty.txt", {}, 0},
        {"decimal_point.txt", {12, 57}, 0},
        {"blank_before_comma.txt", {12, 57}, 0},
        {"repeats.txt", {12, 12, 57}, 0},
        {"out_of_range_unsorted.txt", {12, 57, 103, 1999}, 3},
    };
    for (const Case& c : cases) {
        SimState state;
        state.Nsteps = 2000;
        const auto load = readSpikeTrainFile(state, std::string(MIRVOK_TEST_DATA) + "/" + c.file);
        ASSERT_TRUE(load.has_value()) << c.file;
        EXPECT_EQ(state.inSpikeSteps, c.steps) << c.file;
        EXPECT_EQ(load->stored, c.steps.size()) << c.file;
        EXPECT_EQ(load->skipped, c.skipped) << c.file;
        EXPECT_EQ(state.inTrain.size(), 2000U) << c.file;
        EXPECT_EQ(state.outTrain, Flags(2000, 0)) << c.file;
    }
}

TEST(spike_train_reader, a_stream_is_read_in_pieces_up_to_the_first_place_without_a_number) {
    // An endless device: its first byte is no number, so reading ends there.
    SimState zero;
    zero.Nsteps = 100;
    const auto fromZero = readSpikeTrainFile(zero, "/dev/zero");
    ASSERT_TRUE(fromZero.has_value());
    EXPECT_EQ(fromZero->stored, 0U);

    // Numbers across the bounds of the pieces a long file is read in.
    testing::TempDir dir;
    std::string text;
    for (int i = 0; text.size() < 300000; ++i)
        text += std::to_string(i % 997) + (i % 3 ? "," : " \n");
    text += "x,5,";
    testing::writeFile(dir.file("long.txt"), text);
    SimState fromFile, fromText;
    fromFile.Nsteps = fromText.Nsteps = 1000;
    ASSERT_TRUE(readSpikeTrainFile(fromFile, dir.file("long.txt")).has_value());
    loadInputTrain(fromText, parseSpikeTrainText(text));
    EXPECT_EQ(fromFile.inSpikeSteps, fromText.inSpikeSteps);
    EXPECT_GT(fromFile.inSpikeSteps.size(), 50000U);

    // A pipe, written while it is read.
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { testing::writeFile(fifo, "12,57,\n103,"); });
    SimState fromPipe;
    fromPipe.Nsteps = 1000;
    const auto load = readSpikeTrainFile(fromPipe, fifo);
    writer.join();
    ASSERT_TRUE(load.has_value());
    EXPECT_EQ(fromPipe.inSpikeSteps, (std::vector<int>{12, 57, 103}));
}

SimState loadedState() {
    SimState state;
    state.Nsteps = 10;
    state.inTrain = Flags(10, 0);
    state.inTrain[4] = 1;
    state.outTrain = Flags(10, 0);
    state.inSpikeSteps = {4};
    return state;
}

void expectUnchanged(const SimState& state) {
    const SimState before = loadedState();
    EXPECT_EQ(state.inTrain, before.inTrain);
    EXPECT_EQ(state.outTrain, before.outTrain);
    EXPECT_EQ(state.inSpikeSteps, before.inSpikeSteps);
}

TEST(spike_train_reader, missing_file_changes_nothing_and_unreadable_file_is_an_error) {
    SimState state = loadedState();
    EXPECT_FALSE(readSpikeTrainFile(state, std::string(MIRVOK_TEST_DATA) + "/absent.txt"));
    EXPECT_FALSE(readSpikeTrainFile(state, ""));
    expectUnchanged(state);

    const std::string folder = MIRVOK_TEST_DATA;
    EXPECT_THROW_MSG(readSpikeTrainFile(state, folder), FileError,
                     "Could not read the file " + folder);
    expectUnchanged(state);
}

// Runs check as an unprivileged user: in a child process that drops root
// first, since root reads every file. True when check passed.
bool passesWithoutPrivileges(const std::function<bool()>& check) {
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
        _exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(spike_train_reader, file_without_read_permission_is_an_error) {
    testing::TempDir dir;
    chmod(dir.path().c_str(), 0755);
    const std::string path = dir.file("unreadable.txt");
    testing::writeFile(path, "1,2,3,");
    chmod(path.c_str(), 0);
    EXPECT_TRUE(passesWithoutPrivileges([&] {
        SimState state = loadedState();
        try {
            readSpikeTrainFile(state, path);
            return false;
        } catch (const FileError&) {
            return state.inSpikeSteps == loadedState().inSpikeSteps;
        }
    }));
}

TEST(spike_train_reader, a_train_beyond_the_memory_available_is_refused_as_it_is_read) {
    testing::TempDir dir;
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "12,";
    const std::string path = dir.file("endless.txt");
    testing::writeFile(path, text);
    SimState state;
    state.Nsteps = 2000;
    EXPECT_THROW_MSG(readSpikeTrainFile(state, path, 1 << 20), InputError,
                     "the train needs about 2 MB, 1 MB are available: use a shorter train");
    EXPECT_TRUE(state.inSpikeSteps.empty());
    EXPECT_EQ(readSpikeTrainFile(state, path, 8 << 20)->stored, 100000U);
}

TEST(spike_train_reader, where_reading_stops_before_the_end_of_a_file_is_told) {
    testing::TempDir dir;
    const struct {
        std::string text;
        std::optional<ReadStop> stop;
    } cases[] = {
        {"12,57,\n103,\n", std::nullopt},
        {"4.000000000000000000e+01\n", ReadStop{1, 2, '.'}},
        {"12,\n57 x", ReadStop{2, 4, 'x'}},
    };
    for (const auto& c : cases) {
        testing::writeFile(dir.file("t.txt"), c.text);
        SimState state;
        state.Nsteps = 2000;
        const std::optional<ReadStop> stop =
            readSpikeTrainFile(state, dir.file("t.txt"))->stoppedAt;
        ASSERT_EQ(stop.has_value(), c.stop.has_value()) << c.text;
        if (!stop) continue;
        EXPECT_EQ(std::tie(stop->line, stop->column, stop->character),
                  std::tie(c.stop->line, c.stop->column, c.stop->character))
            << c.text;
    }
}

}  // namespace
}  // namespace mirvok
