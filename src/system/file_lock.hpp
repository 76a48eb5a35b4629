#pragma once

#include <sys/types.h>

#include <string>

namespace mirvok {

// What became of a request for a file's write lock.
struct WriteLock {
    enum class Outcome {
        Held,        // this process holds it now
        Taken,       // another process holds a lock on the file
        Unsupported  // the file system keeps no locks (some network file systems)
    };
    Outcome outcome = Outcome::Held;
    pid_t holder = 0;  // Taken: the process holding it, when the system says (0 otherwise)
};

// Takes an exclusive lock (fcntl, the whole file) on the open file fd for as
// long as this process keeps the file open, without waiting. The lock is
// advisory: it keeps out other Mirvok processes writing the same file, whose
// records would otherwise be mixed line by line.
WriteLock lockForWriting(int fd);

// A write lock (lockForWriting) on the file at path, held for as long as
// this lives: on a file about to be replaced, or on a lock file standing
// for files written under other names. Beware that closing any descriptor
// of the file in this process lets go of the lock.
class HeldLock {
  public:
    // Opens the file for writing, creating it when `create`, and locks it.
    // Throws FileBusy naming `shown` (the file the lock stands for) when
    // another process holds it, FileError "Could not write the file <shown>"
    // when it cannot be opened for writing. Where the file system keeps no
    // locks it holds none (refused()).
    HeldLock(const std::string& path, const std::string& shown, bool create);
    ~HeldLock();
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    bool refused() const { return refused_; }

  private:
    int fd_ = -1;
    bool refused_ = false;
};

}  // namespace mirvok
