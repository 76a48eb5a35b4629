#include "cli/run_command.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/analysed_run.hpp"
#include "records/spike_list_file.hpp"
#include "tool_runner.hpp"
#include "trains/spike_train_reader.hpp"
#include "values/batch_setup.hpp"

namespace mirvok::cli {
namespace {

using test::runTool;
using test::TempDir;

const std::string kTrain = MIRVOK_TEST_DATA "/small_train.txt";

// The run the core makes over the small train with these values.
struct CoreRun {
    SimState state;
    RunResults results;
};

CoreRun coreRun(const BatchSetup& setup) {
    CoreRun run;
    run.state.Nsteps = stepsForRunLength(setup.reset.time, kNoMemoryBound);
    readSpikeTrainFile(run.state, kTrain);
    SetupValues values(setup);
    runAndAnalyse(run.state, values, run.results);
    return run;
}

struct OptionCase {
    const char* name;
    std::vector<std::string> args;
    BatchSetup setup;
};

OptionCase withDefaults(const char* name, std::vector<std::string> args) {
    return {name, std::move(args), {}};
}

TEST(run_command, prints_the_cores_run_and_analysis_of_the_values_given) {
    std::vector<OptionCase> cases{withDefaults("defaults", {})};
    // Which field each option sets is the value table's, tested with it.
    cases.push_back(withDefaults(
        "values", {"--time", "450", "--epsilon", "0.2", "--gamma1", "0.02", "--ign", "100"}));
    BatchSetup& set = cases.back().setup;
    set.reset.time = 450;
    set.reset.eps = 0.2;
    set.rates.g1 = 0.02;
    set.analysis.ignSteps = 100;

    TempDir dir;
    for (OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args{"run", "--train", kTrain};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto result = runTool(args, dir.path());
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        const CoreRun expected = coreRun(c.setup);
        EXPECT_FALSE(expected.state.outSpikeSteps.empty());
        EXPECT_EQ(result.out, runJson(expected.state, expected.results));
    }
}

TEST(run_command, json_names_every_value_of_the_run) {
    SimState s;
    s.Nsteps = 4;
    s.inSpikeSteps = {1, 3};
    s.outSpikeSteps = {3};
    RunResults r;
    r.transmissionRatio = 0.5;
    r.isiCV = 0.1;
    r.localScoreMean = -0.25;
    r.analysisResult = 1.0 / 3.0;
    s.spikeVari = {0.0, 0.125};
    s.V1 = 0.2;
    s.V2 = 1.0;
    EXPECT_EQ(runJson(s, r),
              "{\"nsteps\":4,\"input_spikes\":[1,3],\"output_spikes\":[3],"
              "\"transmission_ratio\":0.5,\"isi_cv\":0.1,\"local_score_mean\":-0.25,"
              "\"analysis_result\":0.3333333333333333,\"local_cv\":[0.0,0.125],\"v1\":0.2,"
              "\"v2\":1.0}\n");
}

TEST(run_command, saves_the_output_list_as_save_does_and_warns_of_steps_outside_the_run) {
    TempDir dir;
    const auto result = runTool(
        {"run", "--train", kTrain, "--time", "200", "--save-output", "out.txt"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    // Steps 400 and above lie beyond a 200 ms run.
    EXPECT_EQ(result.err, "mirvok-cli: " + skippedStepsMessage(11, 400) + "\n");
    BatchSetup setup;
    setup.reset.time = 200;
    const CoreRun expected = coreRun(setup);
    EXPECT_EQ(test::readFile(dir.file("out.txt")), formatSpikeList(expected.state.outSpikeSteps));
    EXPECT_EQ(result.out, runJson(expected.state, expected.results));
}

TEST(run_command, an_endless_input_ends_at_once_and_a_run_of_no_steps_says_so) {
    TempDir dir;
    const auto zero = runTool({"run", "--train", "/dev/zero"}, dir.path());
    ASSERT_EQ(zero.status, 0) << zero.err;
    EXPECT_NE(zero.out.find("\"input_spikes\":[],"), std::string::npos) << zero.out;

    const auto none = runTool({"run", "--train", kTrain, "--time", "0"}, dir.path());
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.err, "mirvok-cli: 20 spike steps were skipped: the run has no steps\n");
}

TEST(run_command, a_spike_list_that_does_not_fit_on_the_disk_keeps_the_file_it_would_replace) {
    // Dense trains give lists of a few kB, beyond one block of 512 bytes.
    const std::vector<std::vector<std::string>> commands{
        {"generate", "--out", "list.txt", "--seed", "1", "--isi", "1"},
        {"run", "--train", "dense.txt", "--save-output", "list.txt"},
    };
    for (const auto& args : commands) {
        TempDir dir;
        ASSERT_EQ(
            runTool({"generate", "--out", "dense.txt", "--seed", "1", "--isi", "1"}, dir.path())
                .status,
            0);
        test::writeFile(dir.file("list.txt"), "1,2,3,");
        const auto full = test::runToolWithFileLimit(args, dir.path(), 1);
        EXPECT_EQ(full.status, 1) << args[0];
        EXPECT_EQ(full.err, "mirvok-cli: Could not write the file list.txt\n");
        EXPECT_EQ(test::readFile(dir.file("list.txt")), "1,2,3,") << args[0];
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator()),
                  2)
            << args[0] << ": a new file left behind";
    }
}

TEST(run_command, says_where_and_why_reading_a_train_stopped_before_the_end_of_its_file) {
    TempDir dir;
    test::writeFile(dir.file("savetxt.txt"), "4.000000000000000000e+01\n8.0e+01\n");
    const auto result = runTool({"run", "--train", "savetxt.txt"}, dir.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err,
              "mirvok-cli: reading savetxt.txt stopped at line 1, column 2, at '.', which is no "
              "part of a step number: the train holds the 1 step read before it\n");
}

}  // namespace
}  // namespace mirvok::cli
