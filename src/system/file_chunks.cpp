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

bool forEachLine(const std::string& path,
                 const std::function<void(std::string_view line, bool ended)>& visit,
                 const std::function<void(std::string_view chunk)>& readChunk) {
    std::string pending;  // the start of a line the last chunk did not end
    bool binary = false;  // pending stands for a line holding a NUL byte
    const auto hold = [&](std::string_view part) {
        if (binary) return;
        if (part.find('\0') == std::string_view::npos) {
            pending.append(part);
            return;
        }
        binary = true;
        pending.assign(1, '\0');
    };
    const bool exists = readFileInChunks(path, [&](std::string_view chunk) {
        if (readChunk) readChunk(chunk);
        std::size_t end = 0;
        while ((end = chunk.find('\n')) != std::string_view::npos) {
            const std::string_view part = chunk.substr(0, end);
            if (pending.empty() && part.find('\0') == std::string_view::npos) {
                visit(part, true);
            } else {
                hold(part);
                visit(pending, true);
                pending.clear();
                binary = false;
            }
            chunk.remove_prefix(end + 1);
        }
        hold(chunk);
        return true;
    });
    if (!pending.empty()) visit(pending, false);
    return exists;
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
