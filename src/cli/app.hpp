#pragma once

#include <ostream>

namespace mirvok::cli {

// The whole tool: parses the command line, runs the subcommand and returns
// the exit status. 0 on success; 1 when a file could not be read or written
// (or another failure of the run itself); 2 for a command line the tool
// refuses: an unknown option, a missing argument, a value that does not
// convert, that the core refuses or that makes a run overflow (the message
// then names the rate's option), a batch that would not fit in memory.
int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace mirvok::cli
