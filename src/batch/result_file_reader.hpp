#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mirvok {

// Reads a result file whole, before any result file is opened, so that a
// replay whose result file is the file it reads loses nothing. Returns
// nullopt when no file of that name exists; throws FileError "Could not read
// the file <path>" when it exists but cannot be read (a directory, no
// permission). Otherwise returns every line after the first (the first is a
// header and is discarded), whole however long, with "\n" or "\r\n" removed.
// A last line without a line end counts; an empty file gives no lines.
std::optional<std::vector<std::string>> readResultFileRecords(const std::string& path);

}  // namespace mirvok
