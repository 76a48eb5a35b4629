#pragma once

#include <string>
#include <vector>

namespace mirvok {

// The spike list of "Save...": every step followed by one comma ("%d,"),
// no blanks, no line end. It reads back as a spike-train file.
std::string formatSpikeList(const std::vector<int>& steps);

// Replaces the file at path with the spike list of steps. Throws
// FileError "Could not write the file <path>" when the file cannot be
// opened, a write fails, or the close fails (a full disk), so a lost list
// never passes as saved.
void writeSpikeList(const std::string& path, const std::vector<int>& steps);

}  // namespace mirvok
