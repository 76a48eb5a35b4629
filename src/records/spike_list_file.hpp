#pragma once

#include <string>
#include <vector>

namespace mirvok {

// The spike list of "Save...": every step followed by one comma ("%d,"),
// no blanks, no line end. It reads back as a spike-train file.
std::string formatSpikeList(const std::vector<int>& steps);

// Replaces the file at path with the spike list of steps, as
// replaceFileContent does: a write that fails (a full disk) leaves the old
// file as it was and throws FileError "Could not write the file <path>", so
// a lost list never passes as saved and never costs the file it replaced.
void writeSpikeList(const std::string& path, const std::vector<int>& steps);

}  // namespace mirvok
