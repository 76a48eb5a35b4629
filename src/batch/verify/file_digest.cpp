#include "batch/verify/file_digest.hpp"

#include "base/errors.hpp"
#include "system/file_chunks.hpp"
#include "system/sha256.hpp"

namespace mirvok {

std::optional<std::string> replayedFileDigest(const std::string& path) {
    Sha256 sum;
    try {
        const bool exists = readFileInChunks(path, [&sum](std::string_view chunk) {
            sum.update(chunk);
            return true;
        });
        if (!exists) return std::nullopt;
    } catch (const FileError&) {
        return std::nullopt;
    }
    return sum.hexDigest();
}

}  // namespace mirvok
