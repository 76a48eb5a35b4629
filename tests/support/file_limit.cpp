#include "support/file_limit.hpp"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mirvok::testing {

bool inChildWithFileLimit(rlim_t limit, const std::function<bool()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit fsize{limit, limit};
        signal(SIGXFSZ, SIG_IGN);
        _exit(setrlimit(RLIMIT_FSIZE, &fsize) == 0 && body() ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace mirvok::testing
