#pragma once

#include <optional>
#include <string>

namespace mirvok {

// The SHA-256 of the file at path as a replay records it for its source
// (lowercase hex digits), for MakingInputs::digest; nullopt when it cannot
// be computed, and a source is then never taken as unchanged.
std::optional<std::string> replayedFileDigest(const std::string& path);

}  // namespace mirvok
