#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "cli/option_texts.hpp"

namespace mirvok::cli {

struct BatchOptions {
    ValueTexts values;
    BatchFileTexts file;
    std::string iterations = "100";
    std::optional<std::string> seed;
    bool quantify = false;
    bool c01 = false;
    bool continueBatch = false;
};

void addBatchCommand(CLI::App& app, BatchOptions& options);

// `batch`: iterations generated trains, each run and analysed, one record
// each in iteration order after a header line; then the averages and the
// seed on out. Iteration i draws from iterationSource(seed, i), so the file
// is the same for every thread count. A seed from the clock is said on err
// at the start, so that an interrupted batch can be made again. With
// --continue, the file's last batch must be this one; it goes on after its
// whole records without a new header, and the averages cover the runs made
// now.
void runBatchCommand(const BatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace mirvok::cli
