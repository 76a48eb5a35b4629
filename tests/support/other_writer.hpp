#pragma once

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "system/file_lock.hpp"

namespace mirvok::testing {

// Another process holding the write lock on a file, as another Mirvok
// process writing it would, from construction until destruction. Header
// only: the window's tests use it too.
class OtherWriter {
  public:
    explicit OtherWriter(const std::string& path) {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(done_) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0666);
            const bool held = fd >= 0 && lockForWriting(fd).outcome == WriteLock::Outcome::Held;
            char c = held ? 'y' : 'n';
            (void)!::write(ready[1], &c, 1);
            (void)!::read(done_[0], &c, 1);
            ::_exit(0);
        }
        char c = 0;
        held_ = pid_ > 0 && ::read(ready[0], &c, 1) == 1 && c == 'y';
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~OtherWriter() {
        if (pid_ <= 0) return;
        (void)!::write(done_[1], "x", 1);
        ::waitpid(pid_, nullptr, 0);
        ::close(done_[0]);
        ::close(done_[1]);
    }
    OtherWriter(const OtherWriter&) = delete;
    OtherWriter& operator=(const OtherWriter&) = delete;

    bool held() const { return held_; }
    pid_t pid() const { return pid_; }

  private:
    int done_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool held_ = false;
};

}  // namespace mirvok::testing
