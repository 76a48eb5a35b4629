#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mirvok {

// A header line of a result file and the lines after it, up to the next
// header: the batch it starts.
struct FileSection {
    long long headerLine = 0;  // its line number from 1; 0 for lines before any header
    long long lines = 0;       // the lines after it
};

// The sections of the result file at path, in file order, the lines before
// its first header (if any) as a section of their own. Throws FileError
// "Could not read the file <path>" when there is no such file or it cannot
// be read, InputError when a line is longer than lineLimit (the memory
// available; nullopt: as long as the memory holds).
std::vector<FileSection> readFileSections(const std::string& path,
                                          std::optional<std::uint64_t> lineLimit = std::nullopt);

}  // namespace mirvok
