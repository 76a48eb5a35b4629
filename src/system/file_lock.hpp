#pragma once

#include <sys/types.h>

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

}  // namespace mirvok
