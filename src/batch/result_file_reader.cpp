#include "batch/result_file_reader.hpp"

#include <string_view>

#include "text/whole_file.hpp"

namespace mirvok {
namespace {

std::string_view withoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

std::optional<std::vector<std::string>> readResultFileRecords(const std::string& path) {
    const std::optional<std::string> content = readFileIfExists(path);
    if (!content) return std::nullopt;

    std::vector<std::string> lines;
    std::string_view rest = *content;
    bool first = true;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        if (!first) lines.emplace_back(withoutLineEnd(line));
        first = false;
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return lines;
}

}  // namespace mirvok
