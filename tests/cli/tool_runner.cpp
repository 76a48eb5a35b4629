#include "tool_runner.hpp"

#include <fcntl.h>
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

ToolResult spawn(std::vector<std::string> argv0, const std::string& dir,
                 const std::string& stdoutPath) {
    const std::string outPath = stdoutPath.empty() ? dir + "/.tool_stdout" : stdoutPath;
    const std::string errPath = dir + "/.tool_stderr";
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
    return spawn(std::move(argv), dir, stdoutPath);
}

ToolResult runToolWithFileLimit(const std::vector<std::string>& args, const std::string& dir,
                                int blocks) {
    std::vector<std::string> argv{"/bin/sh", "-c", "trap '' XFSZ; ulimit -f \"$0\" && exec \"$@\"",
                                  std::to_string(blocks), MIRVOK_CLI_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return spawn(std::move(argv), dir, "");
}

}  // namespace mirvok::cli::test
