#pragma once

#include <ostream>

namespace mirvok::cli {

// The whole tool: parses the command line, runs the subcommand and returns
// the exit status. 0 on success; 1 when a file could not be read or written
// (or another failure of the run itself); 2 for a command line the tool
// refuses: an unknown option, a missing argument, a value that does not
// convert, that the core refuses or that makes a run overflow (the message
// then names the rate's option), a batch that would not fit in memory, a
// --continue that does not fit the file; 128 + the signal (130, 143) for a
// batch stopped by SIGINT or SIGTERM.
int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace mirvok::cli
