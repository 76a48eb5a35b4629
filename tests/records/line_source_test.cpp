#include "records/line_source.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/errors.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using Lines = std::vector<std::pair<std::string, bool>>;

Lines linesOf(const std::string& text) {
    testing::TempDir dir;
    testing::writeFile(dir.file("in"), text);
    Lines lines;
    forEachLine(dir.file("in"),
                [&](std::string_view line, bool ended) { lines.emplace_back(line, ended); });
    return lines;
}

TEST(line_source, a_line_holding_a_nul_byte_is_that_byte_alone_whatever_its_length) {
    const std::string zeros(200'000, '\0');  // longer than a chunk
    const std::string nul(1, '\0');
    EXPECT_EQ(linesOf("a\n1" + zeros + "2\nb\n" + zeros),
              (Lines{{"a", true}, {nul, true}, {"b", true}, {nul, false}}));
    EXPECT_EQ(linesOf(std::string(70'000, 'x') + "\ny"),
              (Lines{{std::string(70'000, 'x'), true}, {"y", false}}));
}

TEST(line_source, a_line_beyond_the_memory_allowed_is_refused_before_it_is_held_whole) {
    testing::TempDir dir;
    testing::writeFile(dir.file("in"), "NEW;\n" + std::string(1'000'000, '7') + "\nlast\n");
    LineSource lines = LineSource::openExisting(dir.file("in"));
    lines.setLineLimit(200'000);
    EXPECT_EQ(lines.next(), std::optional<std::string_view>("NEW;"));
    EXPECT_THROW(lines.next(), InputError);
}

TEST(line_source, a_read_the_system_fails_is_an_error_not_the_end_of_the_file) {
    // Reading the process's memory from address 0 fails with EIO.
    std::optional<LineSource> lines = LineSource::open("/proc/self/mem");
    ASSERT_TRUE(lines);
    EXPECT_THROW(lines->next(), FileError);
    EXPECT_FALSE(LineSource::open(""));
    EXPECT_THROW(LineSource::openExisting("/nonexistent/x.csv"), FileError);
}

}  // namespace
}  // namespace mirvok
