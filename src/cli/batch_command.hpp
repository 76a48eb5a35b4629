#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "cli/option_texts.hpp"

namespace mirvok::cli {

struct BatchOptions {
    ModelTexts model;
    AnalysisTexts analysis;
    GeneratorTexts generator;
    std::string iterations = "100";
    std::string output = "output.csv";
    bool append = false;
    std::optional<std::string> seed;
    std::optional<std::string> threads;
    bool quantify = false;
    bool c01 = false;
    bool quiet = false;
};

void addBatchCommand(CLI::App& app, BatchOptions& options);

// `batch`: iterations generated trains, each run and analysed, one record
// each in iteration order after a header line; then the averages and the
// seed on out. Iteration i draws from iterationSource(seed, i), so the file
// is the same for every thread count.
void runBatchCommand(const BatchOptions& options, std::ostream& out);

}  // namespace mirvok::cli
