#include "system/file_lock.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/errors.hpp"

namespace mirvok {
namespace {

struct flock wholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return lock;
}

}  // namespace

WriteLock lockForWriting(int fd) {
    struct flock lock = wholeFile(F_WRLCK);
    int result = 0;
    do {
        result = ::fcntl(fd, F_SETLK, &lock);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return {WriteLock::Outcome::Held, 0};
    if (errno != EACCES && errno != EAGAIN) return {WriteLock::Outcome::Unsupported, 0};
    // Who holds it, for the message; the holder may have let go meanwhile.
    struct flock held = wholeFile(F_WRLCK);
    const pid_t holder =
        ::fcntl(fd, F_GETLK, &held) == 0 && held.l_type != F_UNLCK ? held.l_pid : 0;
    return {WriteLock::Outcome::Taken, holder};
}

HeldLock::HeldLock(const std::string& path, const std::string& shown, bool create) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    if (fd_ < 0) throw FileError::couldNotWrite(shown);
    const WriteLock lock = lockForWriting(fd_);
    if (lock.outcome == WriteLock::Outcome::Taken) {
        ::close(fd_);
        throw FileBusy(shown, lock.holder);
    }
    refused_ = lock.outcome == WriteLock::Outcome::Unsupported;
}

HeldLock::~HeldLock() {
    ::close(fd_);
}

}  // namespace mirvok
