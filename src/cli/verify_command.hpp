#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "cli/option_texts.hpp"

namespace mirvok::cli {

struct VerifyOptions {
    std::string path;
    // The model's and analysis' values of a file without FILE.json.
    ValueTexts values;
    std::optional<std::string> threads;
    bool quiet = false;
};

void addVerifyCommand(CLI::App& app, VerifyOptions& options);

// `verify FILE`: makes FILE's records again as FILE.json says (or a sweep
// folder's points as its sweep.json says) and prints on out a line per
// difference (at most 20, then their count) and "N records checked, M
// differ", with a progress line on err. Returns the exit status as cmp
// does: 0 when all agree, 1 when any differ, 2 when a file cannot be read
// or its provenance cannot be used. Interrupted, it prints the closing line
// of the records checked so far and throws Interrupted.
int runVerifyCommand(const VerifyOptions& options, std::ostream& out, std::ostream& err);

}  // namespace mirvok::cli
