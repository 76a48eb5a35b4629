#include "system/file_chunks.hpp"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "base/errors.hpp"

namespace mirvok {
namespace {

constexpr std::size_t kChunkBytes = 65536;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool readFileInChunks(const std::string& path,
                      const std::function<bool(std::string_view chunk)>& consume) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (path.empty() || status.type() == std::filesystem::file_type::not_found) return false;
    if (ec || std::filesystem::is_directory(status)) throw FileError::couldNotRead(path);
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw FileError::couldNotRead(path);
    const std::unique_ptr<char[]> chunk(new char[kChunkBytes]);
    std::size_t got = 0;
    while ((got = std::fread(chunk.get(), 1, kChunkBytes, file.get())) > 0) {
        if (!consume(std::string_view(chunk.get(), got))) return true;
    }
    if (std::ferror(file.get()) != 0) throw FileError::couldNotRead(path);
    return true;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::string text;
    const bool exists = readFileInChunks(path, [&text](std::string_view chunk) {
        text += chunk;
        return true;
    });
    if (!exists) return std::nullopt;
    return text;
}

}  // namespace mirvok
