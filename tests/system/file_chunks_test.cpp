#include "system/file_chunks.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

TEST(file_chunks, a_line_holding_a_nul_byte_is_that_byte_alone_whatever_its_length) {
    const std::string zeros(200'000, '\0');  // longer than a chunk
    const std::string nul(1, '\0');
    EXPECT_EQ(linesOf("a\n1" + zeros + "2\nb\n" + zeros),
              (Lines{{"a", true}, {nul, true}, {"b", true}, {nul, false}}));
    EXPECT_EQ(linesOf(std::string(70'000, 'x') + "\ny"),
              (Lines{{std::string(70'000, 'x'), true}, {"y", false}}));
}

}  // namespace
}  // namespace mirvok
