// The memory estimates held against the peak memory of the optimised
// programs (a sanitized program's allocator keeps what it frees), each
// peak less that of the same program doing next to nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "batch/batch_memory.hpp"
#include "batch/setup_runs.hpp"
#include "support/temp_dir.hpp"
#include "trains/train_memory.hpp"
#include "values/value_texts.hpp"

extern char** environ;

namespace mirvok {
namespace {

const std::string kCli = MIRVOK_RELEASE_CLI_BINARY;
const std::string kPythonModule = MIRVOK_RELEASE_PYTHON_DIR;

// The program's VmHWM, the most memory it held at once.
std::uint64_t highWater(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:")) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

// The most memory the program run to its end in dir held at once, in bytes;
// 0 when it did not end well. It is read from the program as it exits
// (traced): what rusage says also counts the memory of the process it was
// started from, this sanitized test.
std::uint64_t peakBytes(std::vector<std::string> args, const std::string& dir,
                        const std::string& pythonPath = "") {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    if (!pythonPath.empty()) env.push_back("PYTHONPATH=" + pythonPath);
    std::vector<char*> argv, envp;
    for (std::string& a : args) argv.push_back(a.data());
    for (std::string& e : env) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (::chdir(dir.c_str()) != 0 || null < 0 || ::dup2(null, 1) < 0 ||
            ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0)
            ::_exit(127);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status)) return 0;
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
    std::uint64_t peak = 0;
    int signal = 0;
    while (::ptrace(PTRACE_CONT, pid, nullptr, signal) == 0 && ::waitpid(pid, &status, 0) == pid &&
           WIFSTOPPED(status)) {
        const bool exiting = status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8));
        if (exiting) peak = highWater(pid);
        signal = exiting ? 0 : WSTOPSIG(status);  // the program's own, passed on
    }
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? peak : 0;
}

// What the program took beyond its run with the `idle` arguments.
std::uint64_t bytesBeyond(const std::vector<std::string>& idle,
                          const std::vector<std::string>& busy, const std::string& dir,
                          const std::string& pythonPath = "") {
    const std::uint64_t base = peakBytes(idle, dir, pythonPath);
    const std::uint64_t peak = peakBytes(busy, dir, pythonPath);
    EXPECT_GT(base, 0u);
    EXPECT_GT(peak, base);
    return peak > base ? peak - base : 0;
}

void expectHeldWithinHalfAgain(std::uint64_t estimate, std::uint64_t measured) {
    EXPECT_GE(estimate, measured);
    EXPECT_LE(static_cast<double>(estimate), 1.5 * static_cast<double>(measured));
}

bool releaseCli() {
    return !kCli.empty() && std::filesystem::exists(kCli);
}

TEST(peak_memory, a_batch_takes_what_its_estimate_says_within_half_again) {
    if (!releaseCli()) GTEST_SKIP() << "no optimised mirvok-cli";
    testing::TempDir dir;
    // Long runs of sparse trains, whose traces of flags outweigh the
    // spikes, and dense ones of several spikes a step, whose lists and
    // records outweigh the flags.
    const struct {
        const char *time, *isi, *cv;
        int threads;
        int iterations;
    } cases[] = {{"10000000", "100", "0.02", 1, 1},
                 {"10000000", "20", "0.02", 2, 8},
                 {"350000", "0.1", "0.02", 1, 2},
                 {"200000", "0.1", "5", 2, 6}};
    for (const auto& c : cases) {
        const std::string threads = std::to_string(c.threads);
        const std::string iterations = std::to_string(c.iterations);
        const std::uint64_t measured = bytesBeyond(
            {kCli, "batch", "--time", "1", "--iterations", "1", "--seed", "1", "--output", "b.csv"},
            {kCli, "batch", "--time", c.time, "--isi", c.isi, "--cv", c.cv, "--threads", threads,
             "--iterations", iterations, "--seed", "1", "--output", "b.csv"},
            dir.path());
        const RunSize run =
            runSizeOf(batchSetupFrom({{"time", c.time}, {"isi", c.isi}, {"cv", c.cv}}, {}));
        const std::uint64_t estimate =
            batchBytes(planBatch(c.iterations, c.threads, run, std::nullopt), run);
        SCOPED_TRACE(std::string("time ") + c.time + ", isi " + c.isi + ", cv " + c.cv +
                     ", threads " + threads);
        expectHeldWithinHalfAgain(estimate, measured);
    }
}

TEST(peak_memory, a_generated_train_takes_what_its_estimate_says_within_half_again) {
    if (!releaseCli()) GTEST_SKIP() << "no optimised mirvok-cli";
    testing::TempDir dir;
    const std::uint64_t measured = bytesBeyond(
        {kCli, "generate", "--time", "1", "--seed", "1", "--out", "t.txt"},
        {kCli, "generate", "--time", "1000000", "--isi", "0.1", "--seed", "1", "--out", "t.txt"},
        dir.path());
    const BatchSetup setup = batchSetupFrom({{"time", "1000000"}, {"isi", "0.1"}}, {});
    expectHeldWithinHalfAgain(trainBytes(expectedSpikes(setup.steps, setup.generator), setup.steps),
                              measured);
}

TEST(peak_memory, python_keeps_the_runs_of_a_batch_in_what_its_estimate_says_within_half_again) {
    if (kPythonModule.empty() || !std::filesystem::exists(kPythonModule))
        GTEST_SKIP() << "no optimised Python module";
    testing::TempDir dir;
    const auto batch = [](int iterations, const char* trains) {
        return std::vector<std::string>{
            MIRVOK_PYTHON3, "-c",
            "import mirvok; mirvok.batch(iterations=" + std::to_string(iterations) +
                ", seed=1, threads=1, trains='" + trains + "')"};
    };
    const int iterations = 100000;
    const RunSize run = runSizeOf(batchSetupFrom({}, {}));
    const std::uint64_t batchItself = batchBytes(planBatch(iterations, 1, run, std::nullopt), run);
    const struct {
        const char* name;
        KeptTrains trains;
    } layouts[] = {{"lists", KeptTrains::Arrays}, {"flat", KeptTrains::Flat}};
    for (const auto& layout : layouts) {
        const std::uint64_t measured = bytesBeyond(
            batch(1, layout.name), batch(iterations, layout.name), dir.path(), kPythonModule);
        SCOPED_TRACE(layout.name);
        expectHeldWithinHalfAgain(keptRunBytes(run, layout.trains) * iterations + batchItself,
                                  measured);
    }
}

TEST(peak_memory, a_part_of_a_grid_of_a_million_points_takes_the_memory_of_its_own) {
    if (!releaseCli()) GTEST_SKIP() << "no optimised mirvok-cli";
    testing::TempDir dir;
    const std::uint64_t beyond = bytesBeyond(
        {kCli, "sweep", "--vary", "cv=0.5", "--iterations", "1", "--seed", "1", "--out", "one"},
        {kCli, "sweep", "--vary", "cv=0.001:1:0.001", "--vary", "gamma1=0.001:1:0.001",
         "--iterations", "1", "--seed", "1", "--part", "1/10000", "--out", "grid", "--quiet"},
        dir.path());
    EXPECT_LT(beyond, 20000000u);  // all its points held took 530 MB
}

}  // namespace
}  // namespace mirvok
