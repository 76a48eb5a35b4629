#include "system/stale_temporaries.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "system/file_lock.hpp"
#include "system/file_replace.hpp"

namespace mirvok {
namespace {

// A process of another user runs too, though it may not be signalled.
bool runsHere(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

bool changedWithin(const struct stat& info, std::chrono::seconds quiet) {
    const auto changed = std::chrono::system_clock::time_point{} +
                         std::chrono::seconds(info.st_mtim.tv_sec) +
                         std::chrono::nanoseconds(info.st_mtim.tv_nsec);
    return std::chrono::system_clock::now() - changed < quiet;
}

bool removeUnlessHeld(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    const bool removed =
        lockForWriting(fd).outcome == WriteLock::Outcome::Held && ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
}

}  // namespace

int removeStaleTemporaries(const std::string& folder, std::chrono::seconds quiet) {
    int removed = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::optional<pid_t> writer = writerOfTemporary(entry.path().filename().string());
        if (!writer || runsHere(*writer)) continue;
        const std::string path = entry.path().string();
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            changedWithin(info, quiet))
            continue;
        if (!removeUnlessHeld(path)) continue;
        // A batch written under the temporary name describes it beside it.
        ::unlink((path + ".json").c_str());
        ++removed;
    }
    return removed;
}

}  // namespace mirvok
