#pragma once

#include <optional>
#include <string>

namespace mirvok {

// The whole content of a file, read before anything acts on it. Returns
// nullopt when no file of that name exists (an empty name included); throws
// FileError "Could not read the file <path>" when it exists but cannot be
// read (a directory, no permission, a read error).
std::optional<std::string> readFileIfExists(const std::string& path);

}  // namespace mirvok
