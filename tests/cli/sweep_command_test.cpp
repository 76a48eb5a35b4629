#include "cli/sweep_command.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "cli/app.hpp"
#include "record_lists.hpp"
#include "support/added_value_row.hpp"
#include "sweep/sweep_seeds.hpp"
#include "system/machine_memory.hpp"
#include "tool_runner.hpp"

namespace mirvok::cli {
namespace {

using test::linesOf;
using test::runTool;
using test::TempDir;

std::vector<std::string> sweepArgs(const std::string& out, std::vector<std::string> extra) {
    std::vector<std::string> args{"sweep", "--out", out, "--quiet"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) out.push_back(field);
    return out;
}

double score(double p, double cv, double c0) {
    return cv > c0 ? p * (cv - c0) / (1 - c0) : (1 - p) * (c0 - cv) / c0;
}

// Mean over `intervals` and their population CV.
double cvOf(const std::vector<double>& intervals) {
    double sum = 0.0, squares = 0.0;
    for (const double d : intervals) sum += d;
    const double mean = intervals.empty() ? 0.0 : sum / static_cast<double>(intervals.size());
    for (const double d : intervals) squares += (d - mean) * (d - mean);
    const double sd = std::sqrt(squares / static_cast<double>(intervals.size()));
    return mean == 0.0 || squares == 0.0 ? 0.0 : sd / mean;
}

// The six numbers a run's summary takes, worked out here from the record's
// spike lists (ign 0, range 5, c0 0.3333, the defaults).
std::vector<double> runNumbers(const std::string& record) {
    const std::vector<int> in = test::inputListOf(record), out = test::outputListOf(record);
    std::vector<double> intervals;
    for (std::size_t k = 0; k + 1 < in.size(); ++k)
        intervals.push_back(static_cast<double>(in[k + 1] - in[k]));
    const double q = in.empty() ? 0.0 : static_cast<double>(out.size()) / in.size();
    const double cv = cvOf(intervals);
    double local = 0.0;
    for (std::size_t r = 0; r + 5 < in.size(); ++r) {
        const bool fired = std::find(out.begin(), out.end(), in[r + 5]) != out.end();
        const std::vector<double> window(intervals.begin() + r, intervals.begin() + r + 5);
        local += score(fired ? 1.0 : 0.0, cvOf(window), 0.3333);
    }
    if (in.size() > 5) local /= static_cast<double>(in.size() - 5);
    return {static_cast<double>(in.size()), cv,   static_cast<double>(out.size()), q,
            score(q, cv, 0.3333),           local};
}

void expectSummarises(const std::string& row, const std::vector<std::string>& records) {
    const std::vector<std::string> f = fields(row);
    ASSERT_EQ(f.size(), 17u) << row;  // point, two values, seed, runs, 6 x (mean, sd)
    EXPECT_EQ(std::stoul(f[4]), records.size());
    for (std::size_t i = 0; i < 6; ++i) {
        double sum = 0.0;
        std::vector<double> xs;
        for (const std::string& record : records) xs.push_back(runNumbers(record)[i]);
        for (const double x : xs) sum += x;
        const double mean = sum / static_cast<double>(xs.size());
        double squares = 0.0;
        for (const double x : xs) squares += (x - mean) * (x - mean);
        const double sd = std::sqrt(squares / static_cast<double>(xs.size() - 1));
        EXPECT_NEAR(std::stod(f[5 + 2 * i]), mean, 1e-12 * std::max(1.0, std::fabs(mean))) << i;
        EXPECT_NEAR(std::stod(f[6 + 2 * i]), sd, 1e-9 * std::max(1.0, sd)) << i;
    }
}

TEST(sweep_command, points_are_the_batches_of_their_seeds_and_rows_summarise_their_runs) {
    TempDir dir;
    const auto sweep = runTool(
        sweepArgs("s", {"--vary", "time=500,1000", "--vary", "gamma1=0.005,0.02", "--cv", "0.5",
                        "--iterations", "30", "--seed", "11", "--threads", "3", "--keep-records"}),
        dir.path());
    ASSERT_EQ(sweep.status, 0) << sweep.err;
    EXPECT_EQ(sweep.out, "summary: s/summary.csv\nseed: 11\n");
    const auto rows = linesOf(test::readFile(dir.file("s/summary.csv")));
    ASSERT_EQ(rows.size(), 5u);
    for (int p = 0; p < 4; ++p) {
        SCOPED_TRACE(rows[p + 1]);
        const auto f = fields(rows[p + 1]);
        EXPECT_EQ(f[0], std::to_string(p));
        EXPECT_EQ(std::stoull(f[3]), pointSeed(11, p));
        const auto again = runTool({"batch", "--seed", f[3], "--time", f[1], "--gamma1", f[2],
                                    "--cv", "0.5", "--iterations", "30", "--output", "b.csv"},
                                   dir.path());
        ASSERT_EQ(again.status, 0) << again.err;
        const std::string points = dir.file("s/points/p-0000" + std::to_string(p) + ".csv");
        const std::string records = test::readFile(points);
        EXPECT_EQ(records, test::readFile(dir.file("b.csv")));
        auto lines = linesOf(records);
        lines.erase(lines.begin());
        expectSummarises(rows[p + 1], lines);
    }
}

TEST(sweep_command, parts_joined_are_the_whole_sweep_byte_for_byte) {
    TempDir dir;
    const std::vector<std::string> grid{
        "--vary", "cv=0.1:0.5:0.1", "--vary", "gamma1=0.005,0.01", "--iterations",
        "12",     "--seed",         "4"};
    auto whole = grid;
    whole.insert(whole.end(), {"--threads", "2"});
    ASSERT_EQ(runTool(sweepArgs("whole", whole), dir.path()).status, 0);
    for (const char* k : {"1", "2", "3"}) {
        auto part = grid;
        part.insert(part.end(), {"--part", std::string(k) + "/3", "--threads", k});
        const auto run = runTool(sweepArgs("parts", part), dir.path());
        ASSERT_EQ(run.status, 0) << run.err;
    }
    const auto join = runTool({"join", "parts"}, dir.path());
    ASSERT_EQ(join.status, 0) << join.err;
    EXPECT_EQ(join.out, "summary: parts/summary.csv\n");
    const std::string summary = test::readFile(dir.file("whole/summary.csv"));
    EXPECT_EQ(linesOf(summary).size(), 11u);
    EXPECT_EQ(test::readFile(dir.file("parts/summary.csv")), summary);

    // One part of one (a job array of one task) writes summary.csv, and its
    // join takes it.
    auto one = grid;
    one.insert(one.end(), {"--part", "1/1"});
    ASSERT_EQ(runTool(sweepArgs("one", one), dir.path()).status, 0);
    EXPECT_EQ(test::readFile(dir.file("one/summary.csv")), summary);
    const auto joinOne = runTool({"join", "one"}, dir.path());
    EXPECT_EQ(joinOne.status, 0) << joinOne.err;
    EXPECT_EQ(joinOne.out, "summary: one/summary.csv\n");
    EXPECT_EQ(test::readFile(dir.file("one/summary.csv")), summary);
}

TEST(sweep_command, join_names_missing_parts_and_parts_of_another_sweep) {
    TempDir dir;
    const auto part = [&](const std::string& out, const std::string& seed, const char* k) {
        return runTool(sweepArgs(out, {"--vary", "cv=0.1,0.2,0.3", "--iterations", "3", "--seed",
                                       seed, "--part", std::string(k) + "/3"}),
                       dir.path());
    };
    ASSERT_EQ(part("s", "1", "1").status, 0);
    ASSERT_EQ(part("s", "1", "3").status, 0);
    const auto missing = runTool({"join", "s"}, dir.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "mirvok-cli: parts missing: s/summary.part-2-of-3.csv\n");
    EXPECT_EQ(missing.out, "");

    ASSERT_EQ(part("other", "2", "2").status, 0);
    for (const char* name : {"summary.part-2-of-3.csv", "summary.part-2-of-3.csv.json"})
        std::filesystem::copy_file(dir.file("other/") + name, dir.file("s/") + name);
    const auto foreign = runTool({"join", "s"}, dir.path());
    EXPECT_EQ(foreign.status, 1);
    EXPECT_EQ(foreign.err,
              "mirvok-cli: not parts of the sweep in s/sweep.json: s/summary.part-2-of-3.csv\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("s/summary.csv")));
}

// The file's inode: a file replaced by renaming another into place has another.
ino_t inodeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST(sweep_command, runs_again_only_the_points_whose_results_are_missing_or_damaged) {
    TempDir dir;
    // No --seed: running it again continues with the seed the folder holds.
    const std::vector<std::string> args =
        sweepArgs("s", {"--vary", "cv=0.1,0.2,0.3,0.4,0.5", "--iterations", "5", "--keep-records"});
    const auto first = runTool(args, dir.path());
    ASSERT_EQ(first.status, 0) << first.err;
    const std::string summary = test::readFile(dir.file("s/summary.csv"));
    ASSERT_EQ(runTool(sweepArgs("other", {"--vary", "cv=0.1,0.2", "--iterations", "5"}), dir.path())
                  .status,
              0);
    std::filesystem::copy_file(dir.file("other/points/p-00000.row"),
                               dir.file("s/points/p-00000.row"),
                               std::filesystem::copy_options::overwrite_existing);
    test::writeFile(dir.file("s/points/p-00001.row"), "");
    std::filesystem::remove(dir.file("s/points/p-00002.row"));
    std::filesystem::remove(dir.file("s/points/p-00003.csv"));
    const ino_t kept = inodeOf(dir.file("s/points/p-00004.row"));

    const auto again = runTool(args, dir.path());
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, first.out);
    EXPECT_EQ(again.err, first.err +
                             "mirvok-cli: 2 points run again: their stored rows are damaged or "
                             "another sweep's\n");
    EXPECT_EQ(test::readFile(dir.file("s/summary.csv")), summary);
    EXPECT_EQ(inodeOf(dir.file("s/points/p-00004.row")), kept);  // done: not run again

    auto other = args;
    other.insert(other.end(), {"--gamma2", "0.007"});
    const auto refused = runTool(other, dir.path());
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err,
              "mirvok-cli: --out: 's' holds a different sweep (s/sweep.json); choose "
              "another folder\n");
}

TEST(sweep_command, folders_of_an_earlier_version_resume_and_their_parts_join_with_new_ones) {
    TempDir dir;
    const std::string earlier = MIRVOK_EARLIER_SWEEPS;
    for (const char* folder : {"whole", "split"})
        std::filesystem::copy(earlier + "/" + folder, dir.file(folder),
                              std::filesystem::copy_options::recursive);
    const std::vector<std::string> sweep{
        "--vary", "cv=0.1,1", "--vary", "isi=20,2500",  "--gamma1", "0.0001", "--epsilon",
        "100000", "--time",   "300",    "--iterations", "3",        "--seed", "7"};
    for (const char* name : {"p-00002.row", "p-00002.csv", "p-00002.csv.json"})
        std::filesystem::remove(dir.file(std::string("whole/points/") + name));
    auto whole = sweep;
    whole.push_back("--keep-records");
    const auto resumed = runTool(sweepArgs("whole", whole), dir.path());
    ASSERT_EQ(resumed.status, 0) << resumed.err;
    for (const char* name : {"summary.csv", "points/p-00002.csv"})
        EXPECT_EQ(test::readFile(dir.file("whole/") + name),
                  test::readFile(earlier + "/whole/" + name));

    for (const char* name : {"summary.part-2-of-2.csv", "summary.part-2-of-2.csv.json",
                             "points/p-00001.row", "points/p-00003.row"})
        std::filesystem::remove(dir.file(std::string("split/") + name));
    auto part = sweep;
    part.insert(part.end(), {"--part", "2/2"});
    ASSERT_EQ(runTool(sweepArgs("split", part), dir.path()).status, 0);
    const auto join = runTool({"join", "split"}, dir.path());
    ASSERT_EQ(join.status, 0) << join.err;
    EXPECT_EQ(test::readFile(dir.file("split/summary.csv")),
              test::readFile(earlier + "/whole/summary.csv"));
}

// Run in this process, so that it sees the row the test adds.
int runHere(std::vector<std::string> args, std::string& err) {
    args.insert(args.begin(), "mirvok-cli");
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::ostringstream out, errors;
    const int status = runCli(static_cast<int>(argv.size()), argv.data(), out, errors);
    err = errors.str();
    return status;
}

TEST(sweep_command, a_folder_made_before_a_value_was_added_resumes_with_its_value_before) {
    TempDir dir;
    const std::string earlier = MIRVOK_EARLIER_SWEEPS;
    std::filesystem::copy(earlier + "/whole", dir.file("whole"),
                          std::filesystem::copy_options::recursive);
    for (const char* name : {"p-00002.row", "p-00002.csv", "p-00002.csv.json"})
        std::filesystem::remove(dir.file(std::string("whole/points/") + name));
    const AddedRefractory refractory;
    const std::vector<std::string> sweep =
        sweepArgs(dir.file("whole"), {"--vary", "cv=0.1,1", "--vary", "isi=20,2500", "--gamma1",
                                      "0.0001", "--epsilon", "100000", "--time", "300",
                                      "--iterations", "3", "--seed", "7", "--keep-records"});
    std::string err;
    // Its points were made without a refractory period, not with the default one.
    EXPECT_EQ(runHere(sweep, err), 2);
    EXPECT_NE(err.find("holds a different sweep"), std::string::npos) << err;

    auto before = sweep;
    before.insert(before.end(), {"--refractory", "0"});
    ASSERT_EQ(runHere(before, err), 0) << err;
    for (const char* name : {"sweep.json", "summary.csv", "points/p-00002.csv"})
        EXPECT_EQ(test::readFile(dir.file("whole/") + name),
                  test::readFile(earlier + "/whole/" + name));
}

TEST(sweep_command, a_signal_ends_it_after_the_points_done_and_running_it_again_goes_on) {
    TempDir dir;
    const auto args = sweepArgs(
        "s", {"--vary", "cv=0.1:4:0.1", "--iterations", "100", "--seed", "2", "--threads", "1"});
    // Once a point is done, a signal has points behind and ahead of it.
    const auto stopped = test::runToolWithSignal(
        args, dir.path(), [&] { return std::filesystem::exists(dir.file("s/points/p-00000.row")); },
        SIGINT);
    EXPECT_EQ(stopped.status, 130);
    EXPECT_EQ(stopped.err.rfind("mirvok-cli: interrupted after ", 0), 0u) << stopped.err;
    EXPECT_NE(stopped.err.find(" of 40 points; run the same command again to go on (seed: 2)\n"),
              std::string::npos)
        << stopped.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("s/summary.csv")));
    for (const auto& entry : std::filesystem::directory_iterator(dir.file("s/points")))
        EXPECT_EQ(entry.path().extension(), ".row") << entry.path();  // nothing half-written

    ASSERT_EQ(runTool(args, dir.path()).status, 0);
    ASSERT_EQ(runTool(sweepArgs("whole",
                                {"--vary", "cv=0.1:4:0.1", "--iterations", "100", "--seed", "2"}),
                      dir.path())
                  .status,
              0);
    EXPECT_EQ(test::readFile(dir.file("s/summary.csv")),
              test::readFile(dir.file("whole/summary.csv")));
}

TEST(sweep_command, a_sweep_refused_for_its_memory_writes_nothing_so_its_advice_can_be_followed) {
    // 256 workers of 60 million steps each: far beyond this machine.
    const std::optional<std::uint64_t> available = availableMemoryBytes();
    if (!available || *available > (50ULL << 30)) GTEST_SKIP() << "memory for 256 long runs";
    TempDir dir;
    const std::vector<std::string> args{"--vary",       "cv=0.5,1", "--seed",    "1",
                                        "--iterations", "256",      "--threads", "256"};
    auto huge = args;
    huge.insert(huge.end(), {"--time", "30000000"});
    const auto refused = runTool(sweepArgs("s", huge), dir.path());
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.starts_with("mirvok-cli: The batch needs ")) << refused.err;
    EXPECT_NE(refused.err.find("or a shorter run time"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("s")));

    auto shorter = args;
    shorter.insert(shorter.end(), {"--time", "100"});
    const auto accepted = runTool(sweepArgs("s", shorter), dir.path());
    EXPECT_EQ(accepted.status, 0) << accepted.err;
}

TEST(sweep_command, refuses_a_value_any_point_would_refuse_before_writing_anything) {
    const struct {
        std::vector<std::string> args;
        const char* option;
    } cases[] = {
        {{"--vary", "cv=0.1,,0.2"}, "--vary"},
        {{"--vary", "cv=0.1", "--vary", "cv=0.2"}, "--vary"},
        {{"--vary", "gamma1=0.01,abc"}, "--gamma1"},
        {{"--vary", "time=500,0.5"}, "--time"},
        {{"--vary", "time=500,1000", "--segment", "999:20:0.1"}, "--segment"},
        {{"--vary", "isi=20,0"}, "--isi"},  // refused by the generator, at the point's first run
        {{"--vary", "cv=0.1", "--part", "1/2"}, "--part"},
        {{"--vary", "cv=0.1", "--part", "3/2", "--seed", "1"}, "--part"},
        {{"--vary", "cv=0.1", "--part", "1/x", "--seed", "1"}, "--part"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const auto result = runTool(sweepArgs("s", c.args), dir.path());
        EXPECT_EQ(result.status, 2) << result.err;
        EXPECT_EQ(result.err.rfind(std::string("mirvok-cli: ") + c.option + ":", 0), 0u)
            << result.err;
        EXPECT_FALSE(std::filesystem::exists(dir.file("s")));
    }
}

}  // namespace
}  // namespace mirvok::cli
