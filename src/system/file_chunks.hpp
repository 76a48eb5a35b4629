#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mirvok {

// Reads the file at path in chunks of a bounded size, handing each to
// consume in order until the file ends or consume returns false (it needs no
// more), so that a file of any length, a pipe or an endless device costs no
// more memory than one chunk. Returns false, reading nothing, when no file of
// that name exists (an empty name included); throws FileError "Could not
// read the file <path>" when it exists but cannot be read (a directory, no
// permission, a read error).
bool readFileInChunks(const std::string& path,
                      const std::function<bool(std::string_view chunk)>& consume);

// The whole of a small file (a description, a summary row), read as
// readFileInChunks reads it; nullopt when no file of that name exists.
std::optional<std::string> readWholeFile(const std::string& path);

}  // namespace mirvok
