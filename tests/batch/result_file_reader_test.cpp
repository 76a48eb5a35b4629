#include "batch/result_file_reader.hpp"

#include <gtest/gtest.h>

#include "support/expect_throw_msg.hpp"
#include "support/temp_dir.hpp"
#include "text/errors.hpp"

namespace mirvok {
namespace {

using testing::TempDir;
using testing::writeFile;
using Lines = std::vector<std::string>;

TEST(result_file_reader, returns_every_line_after_the_first_without_line_ends) {
    struct Case {
        const char* name;
        std::string content;
        Lines lines;
    };
    const std::string longLine(5000, '7');
    const Case cases[] = {
        {"empty file", "", {}},
        {"header only", "NEW;isi: 20.000000\n", {}},
        {"header without line end", "NEW", {}},
        {"line feeds", "H\na\nb\n", {"a", "b"}},
        {"CR LF", "H\r\na\r\nb\r\n", {"a", "b"}},
        {"last line without end", "H\na\nb", {"a", "b"}},
        {"empty lines kept", "H\n\na\n\n", {"", "a", ""}},
        {"long line whole", "H\n" + longLine + "\nz\n", {longLine, "z"}},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir.file("in.csv");
        writeFile(path, c.content);
        const auto lines = readResultFileRecords(path);
        ASSERT_TRUE(lines.has_value()) << c.name;
        EXPECT_EQ(*lines, c.lines) << c.name;
    }
}

TEST(result_file_reader, missing_file_gives_nothing_and_unreadable_file_throws) {
    TempDir dir;
    EXPECT_FALSE(readResultFileRecords(dir.file("missing.csv")).has_value());
    EXPECT_FALSE(readResultFileRecords("").has_value());
    EXPECT_THROW_MSG(readResultFileRecords(dir.path()), FileError,
                     "Could not read the file " + dir.path());
}

TEST(result_file_reader, reads_the_golden_file_of_two_appended_batches) {
    const auto lines = readResultFileRecords(MIRVOK_TEST_DATA "/two_batches.csv");
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 5u);
    EXPECT_EQ((*lines)[2], "NEW;isi: 20.000000; shape: 2500.000000; #: 2");
    EXPECT_EQ((*lines)[4].back(), ';');  // the CR is gone
}

}  // namespace
}  // namespace mirvok
