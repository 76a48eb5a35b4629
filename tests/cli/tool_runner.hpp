#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/temp_dir.hpp"

namespace mirvok::cli::test {

// What one run of the built mirvok-cli did.
struct ToolResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs the built program with args in directory dir, its standard output and
// error captured (neither is a terminal). With stdoutPath, standard output
// goes to that file instead and is not captured.
ToolResult runTool(const std::vector<std::string>& args, const std::string& dir,
                   const std::string& stdoutPath = "");

// runTool, sending the program `signal` as soon as ready() holds (asked
// every millisecond while it runs).
ToolResult runToolWithSignal(const std::vector<std::string>& args, const std::string& dir,
                             const std::function<bool()>& ready, int signal);

// runTool under a file-size limit of the given number of blocks (`ulimit
// -f`, as a cluster job may get it), SIGXFSZ as the program sets it: a write
// beyond the limit fails as on a full disk only when the program ignores
// the signal itself.
ToolResult runToolWithFileLimit(const std::vector<std::string>& args, const std::string& dir,
                                int blocks);

// The shared test helpers, under the names these tests use.
using mirvok::testing::readFile;
using mirvok::testing::TempDir;
using mirvok::testing::writeFile;

}  // namespace mirvok::cli::test
