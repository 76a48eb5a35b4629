#include "tool_runner.hpp"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace mirvok::cli::test {

namespace {

std::string outPathIn(const std::string& dir, const std::string& stdoutPath) {
    return stdoutPath.empty() ? dir + "/.tool_stdout" : stdoutPath;
}

std::string errPathIn(const std::string& dir) {
    return dir + "/.tool_stderr";
}

pid_t start(std::vector<std::string> argv0, const std::string& dir, const std::string& stdoutPath) {
    const std::string outPath = outPathIn(dir, stdoutPath);
    const std::string errPath = errPathIn(dir);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<char*> argv;
    for (std::string& a : argv0) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("could not start " + argv0[0]);
    return pid;
}

ToolResult finish(pid_t pid, const std::string& dir, const std::string& stdoutPath) {
    const std::string outPath = outPathIn(dir, stdoutPath);
    const std::string errPath = errPathIn(dir);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    ToolResult result;
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    result.err = readFile(errPath);
    std::filesystem::remove(errPath);
    if (!stdoutPath.empty()) return result;
    result.out = readFile(outPath);
    std::filesystem::remove(outPath);
    return result;
}

}  // namespace

ToolResult runTool(const std::vector<std::string>& args, const std::string& dir,
                   const std::string& stdoutPath) {
    std::vector<std::string> argv{MIRVOK_CLI_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return finish(start(std::move(argv), dir, stdoutPath), dir, stdoutPath);
}

ToolResult runToolWithSignal(const std::vector<std::string>& args, const std::string& dir,
                             const std::function<bool()>& ready, int signal) {
    std::vector<std::string> argv{MIRVOK_CLI_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = start(std::move(argv), dir, "");
    const auto running = [pid] {
        siginfo_t info{};
        return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == 0;
    };
    while (running() && !ready()) usleep(1000);
    kill(pid, signal);
    return finish(pid, dir, "");
}

ToolResult runToolWithFileLimit(const std::vector<std::string>& args, const std::string& dir,
                                int blocks) {
    std::vector<std::string> argv{"/bin/sh", "-c", "ulimit -f \"$0\" && exec \"$@\"",
                                  std::to_string(blocks), MIRVOK_CLI_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return finish(start(std::move(argv), dir, ""), dir, "");
}

}  // namespace mirvok::cli::test
