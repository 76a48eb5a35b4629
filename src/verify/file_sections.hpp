#pragma once

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
// be read.
std::vector<FileSection> readFileSections(const std::string& path);

}  // namespace mirvok
