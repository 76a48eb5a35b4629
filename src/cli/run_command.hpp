#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "analysis/run_results.hpp"
#include "cli/option_texts.hpp"
#include "model/sim_state.hpp"

namespace mirvok::cli {

struct RunOptions {
    std::string train;
    ValueTexts values;
    std::string saveOutput;  // empty: not saved
};

void addRunCommand(CLI::App& app, RunOptions& options);

// `run`: one instant run over a spike-train file and its analysis. Writes the
// JSON object of the run to out, warnings (steps outside the run) to err.
void runRunCommand(const RunOptions& options, std::ostream& out, std::ostream& err);

// The JSON object `run` prints for the run a state holds and its results.
std::string runJson(const SimState& state, const RunResults& results);

}  // namespace mirvok::cli
