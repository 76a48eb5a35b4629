#include "records/result_file.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/file_limit.hpp"
#include "support/temp_dir.hpp"
#include "text/printf_number.hpp"

namespace mirvok {
namespace {

using testing::inChildWithFileLimit;
using testing::readFile;
using testing::TempDir;

struct RecordedRun {
    SimState state;
    RunResults results;
};

RecordedRun runWith(std::vector<int> in, std::vector<int> out, double cv, double ratio,
                    double result) {
    RecordedRun run;
    run.state.inSpikeSteps = std::move(in);
    run.state.outSpikeSteps = std::move(out);
    run.results.isiCV = cv;
    run.results.transmissionRatio = ratio;
    run.results.analysisResult = result;
    return run;
}

std::string recordOf(int index, const RecordedRun& run) {
    return formatResultRecord(index, run.state, run.results);
}

// The C library in the "C" locale is the reference for the number texts.
std::string cFixed(double value, int decimals, int width) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, value);
    return buf;
}

TEST(result_file, fixed_numbers_match_printf_in_the_c_locale) {
    const double values[] = {0.0,
                             -0.0,
                             0.5,
                             -1.0,
                             12.5,
                             0.005,
                             0.015,
                             0.125,
                             2.675,
                             -0.004,
                             1e-300,
                             123456.789,
                             1e22,
                             -1e15,
                             2500.0,
                             0.3333,
                             1000.5,
                             4.656612875245797e-10,
                             1.7976931348623157e308};
    for (double v : values) {
        for (auto [decimals, width] : {std::pair{2, 4}, std::pair{6, 0}}) {
            std::string out;
            appendFixed(out, v, decimals, width);
            EXPECT_EQ(out, cFixed(v, decimals, width)) << v;
        }
    }
    const long long ints[] = {0, 7, -7, 12345, -1234, 2147483647, -2147483648LL};
    for (long long v : ints) {
        for (int width : {0, 2, 4}) {
            std::string out;
            appendPaddedInt(out, v, width);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%*lld", width, v);
            EXPECT_EQ(out, buf) << v << " width " << width;
        }
    }
}

TEST(result_file, header_writes_six_decimals_with_a_full_stop_under_any_locale) {
    EXPECT_EQ(formatResultHeader(20.0, 1000.5, 100),
              "NEW;isi: 20.000000; shape: 1000.500000; #: 100\n");
    EXPECT_EQ(formatResultHeader(-0.25, 2500.0, -3),
              "NEW;isi: -0.250000; shape: 2500.000000; #: -3\n");
    // The window sets the process locale; the file must not follow it.
    const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(formatResultHeader(20.0, 1000.5, 100),
              "NEW;isi: 20.000000; shape: 1000.500000; #: 100\n");
    if (german != nullptr) std::setlocale(LC_ALL, "C");
}

TEST(result_file, records_match_the_worked_examples_byte_for_byte) {
    struct Case {
        const char* name;
        int index;
        RecordedRun run;
        std::string line;
    };
    const Case cases[] = {
        {"small index and lists", 7, runWith({7, 12345}, {7}, 0.5, 0.5, -1.0),
         "   7; 2;0.50; 1;0.50;-1.00;\"   7,12345,\";\"   7,\";\n"},
        {"no input spikes", 0, runWith({}, {}, 0.0, 0.0, 0.0),
         "   0; 0;0.00; 0;0.00;0.00;\"\";\"\";\n"},
        {"wide index and values", 12345, runWith({40}, {}, 12.5, 0.0, 12.5),
         "12345; 1;12.50; 0;0.00;12.50;\"  40,\";\"\";\n"},
        {"negative index", -1, runWith({}, {}, 0.125, 1.0, 0.994),
         "  -1; 0;0.12; 0;1.00;0.99;\"\";\"\";\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(recordOf(c.index, c.run), c.line) << c.name;
    EXPECT_EQ(recordOf(3, runWith({40, 81}, {41}, 0.5, 0.5, -1.0)) +
                  recordOf(4, runWith({}, {}, 0, 0, 0)),
              readFile(MIRVOK_TEST_DATA "/two_records.csv"));
}

TEST(result_file, record_of_150_input_spikes_is_one_line_with_a_three_digit_count) {
    std::vector<int> in;
    for (int i = 1; i <= 150; ++i) in.push_back(i * 13);
    const std::string line = recordOf(0, runWith(in, {}, 0, 0, 0));
    EXPECT_EQ(line.substr(0, 9), "   0;150;");
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_EQ(line.size(), 34u + 150u * 5u);
}

TEST(result_file, truncate_empties_on_open_and_append_accumulates) {
    TempDir dir;
    const std::string path = dir.file("output.csv");
    testing::writeFile(path, "old content\n");
    {
        ResultFile file(path, ResultFileMode::Truncate);
        EXPECT_EQ(readFile(path), "");  // gone before anything is written
        file.write("a\n");
        EXPECT_EQ(readFile(path), "a\n");  // each write reaches the file
        file.close();
        file.close();
        EXPECT_FALSE(file.isOpen());
    }
    ResultFile again(path, ResultFileMode::Append);
    again.write("b\n");
    again.close();
    EXPECT_EQ(readFile(path), "a\nb\n");
    EXPECT_EQ(again.name(), path);

    const std::string fresh = dir.file("new.csv");
    ResultFile created(fresh, ResultFileMode::Append);
    created.close();
    EXPECT_TRUE(std::filesystem::exists(fresh));
}

TEST(result_file, continuing_appends_after_the_last_whole_line_and_cuts_off_a_cut_one) {
    const struct {
        std::string before;
        std::string after;
    } cases[] = {
        {"head\nrec 0\n", "head\nrec 0\nrec 1\n"},
        {"head\nrec 0\nre", "head\nrec 0\nrec 1\n"},
        {"head\n" + std::string(10000, '7'), "head\nrec 1\n"},  // longer than one read back
        {"cut", "rec 1\n"},
        {"", "rec 1\n"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.file("output.csv");
        testing::writeFile(path, c.before);
        ResultFile file(path, ResultFileMode::Continue);
        file.write("rec 1\n");
        file.close();
        EXPECT_EQ(readFile(path), c.after) << c.before.substr(0, 20);
    }
}

TEST(result_file, open_and_write_failures_throw_could_not_write) {
    TempDir dir;
    for (ResultFileMode mode : {ResultFileMode::Truncate, ResultFileMode::Append}) {
        EXPECT_THROW_MSG(ResultFile file(dir.path(), mode), FileError,
                         "Could not write the file " + dir.path());
    }
    ResultFile full("/dev/full", ResultFileMode::Truncate);
    EXPECT_THROW_MSG(full.write(formatResultHeader(20, 1000, 1)), FileError,
                     "Could not write the file /dev/full");
}

TEST(result_file, a_file_another_process_writes_is_refused_naming_it_and_left_as_it_was) {
    TempDir dir;
    const std::string path = dir.file("output.csv");
    testing::writeFile(path, "NEW;other\n   0;their record\n");
    int ready[2], done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        // Another process writing the file: it holds the lock until told.
        ResultFile theirs(path, ResultFileMode::Append);
        char c = 'x';
        (void)!::write(ready[1], &c, 1);
        (void)!::read(done[0], &c, 1);
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    for (ResultFileMode mode :
         {ResultFileMode::Truncate, ResultFileMode::Append, ResultFileMode::Continue})
        EXPECT_THROW_MSG(ResultFile mine(path, mode), FileBusy,
                         path + " is being written by another Mirvok process (pid " +
                             std::to_string(writer) + ")");
    EXPECT_EQ(readFile(path), "NEW;other\n   0;their record\n");
    ASSERT_EQ(::write(done[1], &c, 1), 1);
    ASSERT_EQ(::waitpid(writer, nullptr, 0), writer);
    ResultFile after(path, ResultFileMode::Truncate);  // free again
    EXPECT_FALSE(after.lockRefused());
}

TEST(result_file, a_write_cut_short_and_an_append_after_it_leave_only_whole_lines) {
    const struct {
        const char* what;
        std::string before;
        ResultFileMode mode;
        std::vector<std::string> writes;
        rlim_t limit;
        std::string after;
    } cases[] = {
        {"inside a record",
         "",
         ResultFileMode::Truncate,
         {"head\n", "rec 0\nrec 1\n"},
         14,
         "head\nrec 0\n"},
        {"inside the first line", "", ResultFileMode::Truncate, {"head\n"}, 3, ""},
        {"at a line end",
         "",
         ResultFileMode::Truncate,
         {"head\n", "rec 0\nrec 1\n"},
         11,
         "head\nrec 0\n"},
        {"appended", "old\n", ResultFileMode::Append, {"head\nrec 0\n"}, 12, "old\nhead\n"},
        {"appended to a cut line",
         "old\nre",
         ResultFileMode::Append,
         {"head\nrec 0\n"},
         13,
         "old\nre\nhead\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string path = dir.file("output.csv");
        testing::writeFile(path, c.before);
        const bool failed = inChildWithFileLimit(c.limit, [&] {
            try {
                ResultFile file(path, c.mode);
                for (const std::string& text : c.writes) file.write(text);
            } catch (const FileError& e) {
                return e.what() == "Could not write the file " + path;
            }
            return false;
        });
        EXPECT_TRUE(failed) << c.what;
        EXPECT_EQ(readFile(path), c.after) << c.what;
    }
}

}  // namespace
}  // namespace mirvok
