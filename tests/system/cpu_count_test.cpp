#include "system/cpu_count.hpp"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mirvok {
namespace {

TEST(cpu_count, the_default_threads_are_the_cpus_this_process_may_use) {
    // A cluster's scheduler grants a job some cores of a larger machine
    // through its affinity mask; a child process narrowed to one CPU stands
    // in for such a job, and the test process keeps its own mask.
    const pid_t pid = fork();
    if (pid == 0) {
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(sched_getcpu(), &one);
        _exit(sched_setaffinity(0, sizeof one, &one) == 0 && usableCpuCount() == 1 ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace mirvok
