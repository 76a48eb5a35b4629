#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/option_texts.hpp"

namespace mirvok::cli {

struct SweepOptions {
    ValueTexts values;
    std::vector<std::string> vary;  // NAME=VALUES, in order
    std::string iterations = "100";
    std::optional<std::string> seed;
    std::string out = "sweep";
    std::optional<std::string> part;
    bool keepRecords = false;
    std::optional<std::string> threads;
    bool quiet = false;
};

void addSweepCommand(CLI::App& app, SweepOptions& options);

// `sweep`: one batch per point of the grid of --vary values, point p with
// the seed pointSeed(S, p), summarised into DIR/summary.csv (or this part's
// summary). Every value is checked, and every point's first run made,
// before anything is written; points whose results DIR holds are not run
// again. Prints a seed not given on err at the start, the summary's name
// and the seed on out at the end. A SIGINT or SIGTERM ends it after the points done
// so far, with Interrupted.
void runSweepCommand(const SweepOptions& options, std::ostream& out, std::ostream& err);

}  // namespace mirvok::cli
