#pragma once

#include <chrono>
#include <string>

namespace mirvok {

// Removes from folder the temporary files (writerOfTemporary's names) that
// processes which no longer run left behind, a job killed while it wrote,
// with the FILE.json of each, and returns how many it removed. A temporary stays while its process
// runs on this machine, while any process holds its write lock (a writer on another machine sharing
// the folder), where the file system keeps no locks, and for `quiet` after it last changed (a
// writer may be between creating and locking it).
int removeStaleTemporaries(const std::string& folder,
                           std::chrono::seconds quiet = std::chrono::minutes(1));

}  // namespace mirvok
