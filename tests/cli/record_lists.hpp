#pragma once

#include <string>
#include <vector>

namespace mirvok::cli::test {

// The lines of a file without their line ends.
std::vector<std::string> linesOf(const std::string& text);

// The two spike lists of a record line: the first and the second quoted field.
std::vector<int> inputListOf(const std::string& record);
std::vector<int> outputListOf(const std::string& record);

}  // namespace mirvok::cli::test
