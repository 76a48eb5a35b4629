#include "cli/app.hpp"

#include <gtest/gtest.h>

#include "tool_runner.hpp"

namespace mirvok::cli {
namespace {

using test::runTool;
using test::TempDir;

struct ErrorCase {
    std::vector<std::string> args;
    int status;
    std::string err;    // the whole of standard error, or its first line when hint is set
    bool hint = false;  // a second line points to --help
};

TEST(app, refused_command_lines_and_files_exit_with_their_code_and_message) {
    const std::string train = MIRVOK_TEST_DATA "/small_train.txt";
    const std::vector<ErrorCase> cases{
        {{"run", "--train", train, "--gamma1", "0,009"},
         2,
         "mirvok-cli: --gamma1: '0,009' is not a valid floating point value"},
        {{"batch", "--time", "-5"}, 2, "mirvok-cli: --time: '-5' is not a valid run length"},
        {{"batch", "--seed", "-1"}, 2, "mirvok-cli: --seed: '-1' is not a valid seed"},
        {{"batch", "--iterations", "-1"},
         2,
         "mirvok-cli: --iterations: '-1' is not a valid number of runs"},
        {{"replay", "output.csv", "--iterations", "-1"},
         2,
         "mirvok-cli: --iterations: '-1' is not a valid number of runs"},
        {{"sweep", "--vary", "cv=0.1", "--iterations", "-1"},
         2,
         "mirvok-cli: --iterations: '-1' is not a valid number of runs"},
        {{"batch", "--threads", "257"},
         2,
         "mirvok-cli: --threads: '257' is not a valid thread count: at most 256"},
        {{"run", "--train", train, "--delta1", "1e308"},
         2,
         "mirvok-cli: --delta1: Floating point overflow"},
        {{"batch", "--isi", "0"},
         2,
         "mirvok-cli: --isi: the mean interval must be greater than 0 ms"},
        {{"generate", "--out", "t.txt", "--isi-jitter", "20"},
         2,
         "mirvok-cli: --isi-jitter: the shift must be smaller than the mean interval, or the "
         "mean could fall to 0 ms or below"},
        {{"generate", "--out", "t.txt", "--segment", "999:20:0.1"},
         2,
         "mirvok-cli: --segment: the last END must be the run's last step 1999"},
        {{"batch", "--bogus"},
         2,
         "mirvok-cli: The following argument was not expected: --bogus",
         true},
        {{"run"}, 2, "mirvok-cli: --train is required", true},
        {{"batch", "--seed"}, 2, "mirvok-cli: --seed: 1 required N missing", true},
        {{"batch", "--c01"}, 2, "mirvok-cli: --c01 requires --quantify", true},
        {{},
         2,
         "mirvok-cli: A subcommand is required: run, generate, batch, replay, sweep, join or "
         "verify",
         true},
        {{"bogus"},
         2,
         "mirvok-cli: 'bogus' is not a subcommand; give one of run, generate, batch, replay, "
         "sweep, "
         "join or verify",
         true},
        {{"generate", "--out", "t.txt", "--segment", "999:20:0.1", "1999:20:0.2"},
         2,
         "mirvok-cli: The following argument was not expected: 1999:20:0.2",
         true},
        {{"batch", "--continue"}, 2, "mirvok-cli: --continue requires --seed", true},
        {{"batch", "--continue", "--seed", "1"},
         2,
         "mirvok-cli: --continue: output.csv holds no batch to continue"},
        {{"batch", "--continue", "--seed", "1", "--output", "none.csv"},
         2,
         "mirvok-cli: --continue: there is no file none.csv to continue"},
        {{"run", "--train", "missing.txt"}, 1, "mirvok-cli: Could not read the file missing.txt"},
        {{"replay", "missing.csv"}, 1, "mirvok-cli: Could not read the file missing.csv"},
        {{"batch", "--seed", "1", "--output", "no/such/dir.csv"},
         1,
         "mirvok-cli: Could not write the file no/such/dir.csv"},
        {{"batch", "--seed", "1", "--output", "/dev/full", "--iterations", "20"},
         1,
         "mirvok-cli: Could not write the file /dev/full"},
        {{"generate", "--out", "no/such/t.txt"},
         1,
         "mirvok-cli: Could not write the file no/such/t.txt"},
    };
    TempDir dir;
    // A result file the refused commands must leave as it is.
    test::writeFile(dir.file("output.csv"), "keep");
    for (const ErrorCase& c : cases) {
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        const auto result = runTool(c.args, dir.path());
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.out, "");
        if (c.hint) {
            const bool command = !c.args.empty() && c.args[0] != "bogus";
            const std::string sub = command ? " " + c.args[0] : "";
            EXPECT_EQ(result.err,
                      c.err + "\nTry 'mirvok-cli" + sub + " --help' for more information.\n");
        } else {
            EXPECT_EQ(result.err, c.err + "\n");
        }
        EXPECT_EQ(test::readFile(dir.file("output.csv")), "keep");
    }
}

TEST(app, output_that_cannot_be_printed_is_reported) {
    TempDir dir;
    const std::string train = MIRVOK_TEST_DATA "/small_train.txt";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"run", "--train", train},
          std::vector<std::string>{"batch", "--iterations", "2", "--seed", "1"}}) {
        const auto result = runTool(args, dir.path(), "/dev/full");
        EXPECT_EQ(result.status, 1) << args[0];
        EXPECT_EQ(result.err, "mirvok-cli: Could not write the standard output\n");
    }
}

TEST(app, help_and_version_go_to_standard_output) {
    TempDir dir;
    const auto version = runTool({"--version"}, dir.path());
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "mirvok-cli 6.1\n");
    for (const char* sub : {"run", "generate", "batch", "replay"}) {
        const auto help = runTool({sub, "--help"}, dir.path());
        EXPECT_EQ(help.status, 0) << sub;
        EXPECT_NE(help.out.find("--"), std::string::npos) << sub;
        EXPECT_EQ(help.err, "") << sub;
    }
    const auto help = runTool({"--help"}, dir.path());
    EXPECT_EQ(help.status, 0);
    for (const char* sub : {"run", "generate", "batch", "replay"})
        EXPECT_NE(help.out.find(sub), std::string::npos) << sub;
}

}  // namespace
}  // namespace mirvok::cli
