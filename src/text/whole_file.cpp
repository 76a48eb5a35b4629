#include "text/whole_file.hpp"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "text/errors.hpp"

namespace mirvok {

std::optional<std::string> readFileIfExists(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (path.empty() || status.type() == std::filesystem::file_type::not_found) return std::nullopt;
    if (ec || std::filesystem::is_directory(status)) throw FileError::couldNotRead(path);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) throw FileError::couldNotRead(path);
    std::string content;
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw FileError::couldNotRead(path);
    return content;
}

}  // namespace mirvok
