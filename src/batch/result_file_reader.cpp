#include "batch/result_file_reader.hpp"

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "text/errors.hpp"

namespace mirvok {
namespace {

// The whole content of a file that exists; throws when it cannot be read.
std::string readWhole(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw FileError::couldNotRead(path);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) throw FileError::couldNotRead(path);
    std::string content;
    char buf[65536];
    std::size_t got = 0;
    while ((got = std::fread(buf, 1, sizeof buf, file)) > 0) content.append(buf, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw FileError::couldNotRead(path);
    return content;
}

std::string_view withoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

std::optional<std::vector<std::string>> readResultFileRecords(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return std::nullopt;
    const std::string content = readWhole(path);

    std::vector<std::string> lines;
    std::string_view rest = content;
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
