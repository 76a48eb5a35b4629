#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

namespace mirvok::cli {

struct JoinOptions {
    std::string dir;
};

void addJoinCommand(CLI::App& app, JoinOptions& options);

// `join DIR`: checks that DIR holds all N parts of the sweep its sweep.json
// describes (parts of another sweep, parts missing and parts not holding
// their points are named, and nothing is written), then writes
// DIR/summary.csv: the same bytes as the sweep run whole. Prints its name.
void runJoinCommand(const JoinOptions& options, std::ostream& out);

}  // namespace mirvok::cli
