#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "cli/option_texts.hpp"

namespace mirvok::cli {

struct GenerateOptions {
    std::string out;
    ValueTexts values;
    std::optional<std::string> seed;
};

void addGenerateCommand(CLI::App& app, GenerateOptions& options);

// `generate`: one train, drawn exactly as iteration 0 of a batch with the
// same seed draws its train, written in the spike-list format. Prints the
// seed to out.
void runGenerateCommand(const GenerateOptions& options, std::ostream& out);

}  // namespace mirvok::cli
