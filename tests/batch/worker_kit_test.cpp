#include "batch/worker_kit.hpp"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mirvok {
namespace {

TEST(worker_kit, workers_never_exceed_the_runs_nor_a_few_hundred_threads) {
    const struct {
        int threads, count, workers;
    } cases[] = {
        {1, 100, 1}, {2, 100, 2},       {8, 3, 3},         {4, 0, 1},
        {4, -5, 1},  {256, 10000, 256}, {257, 10000, 256}, {100000, 100000, 256},
    };
    for (const auto& c : cases)
        EXPECT_EQ(workersFor(c.threads, c.count), c.workers) << c.threads << " " << c.count;
}

TEST(worker_kit, the_default_threads_are_the_cpus_this_process_may_use) {
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
