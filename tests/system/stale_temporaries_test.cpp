#include "system/stale_temporaries.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.hpp"
#include "system/file_lock.hpp"

namespace mirvok {
namespace {

using testing::TempDir;
using testing::writeFile;

// The pid of a process that ran and ended.
pid_t endedProcess() {
    const pid_t pid = fork();
    if (pid == 0) _exit(0);
    int status = 0;
    waitpid(pid, &status, 0);
    return pid;
}

void makeOld(const std::string& path) {
    std::filesystem::last_write_time(
        path, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5));
}

// A process holding the file's write lock until the returned pipe closes,
// as a writer on another machine would.
int heldElsewhere(const std::string& path) {
    int ready[2], release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) return -1;
    if (fork() == 0) {
        close(release[1]);  // so that the parent's close ends the read below
        const int fd = ::open(path.c_str(), O_WRONLY);
        const bool held = fd >= 0 && lockForWriting(fd).outcome == WriteLock::Outcome::Held;
        char c = held ? 1 : 0;
        (void)!write(ready[1], &c, 1);
        (void)!read(release[0], &c, 1);
        _exit(0);
    }
    close(release[0]);
    char held = 0;
    (void)!read(ready[0], &held, 1);
    close(ready[0]);
    close(ready[1]);
    return held == 1 ? release[1] : -1;
}

TEST(stale_temporaries, only_those_of_ended_writers_that_none_holds_and_stay_unchanged_go) {
    TempDir dir;
    const std::string ended = std::to_string(endedProcess());
    const std::string running = std::to_string(getpid());
    const struct {
        std::string name;
        bool old;
        bool gone;
    } cases[] = {
        {".p-00005.csv." + ended + ".0.tmp", true, true},
        {".p-00005.row." + ended + ".3.tmp", true, true},
        {".p-00006.csv." + ended + ".0.tmp", false, false},  // maybe being locked just now
        {".p-00007.csv." + running + ".0.tmp", true, false},
        {".p-00008.csv." + ended + ".0.tmp", true, false},  // held below
        {"p-00009.csv." + ended + ".0.tmp", true, false},
        {".p-00010.csv.x" + ended + ".0.tmp", true, false},
        {"p-00011.row", true, false},
    };
    for (const auto& c : cases) {
        writeFile(dir.file(c.name), "1;");
        if (c.old) makeOld(dir.file(c.name));
    }
    const int release = heldElsewhere(dir.file(cases[4].name));
    ASSERT_GE(release, 0);
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 2);
    close(release);
    wait(nullptr);
    for (const auto& c : cases)
        EXPECT_EQ(std::filesystem::exists(dir.file(c.name)), !c.gone) << c.name;
    EXPECT_EQ(removeStaleTemporaries(dir.file("none")), 0);
}

}  // namespace
}  // namespace mirvok
