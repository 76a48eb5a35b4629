#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "cli/option_texts.hpp"

namespace mirvok::cli {

struct ReplayOptions {
    std::string source;
    // The model's and analysis' values, and the mean interval and CV that
    // are recorded in the header line only, as a batch records them.
    ValueTexts values;
    std::string iterations = "100";
    BatchFileTexts file;
};

void addReplayCommand(CLI::App& app, ReplayOptions& options);

// `replay`: every output list of a result file becomes the input train of a
// new run; one record per such line, in the order of the file, then the
// averages on out. Said once on err at the end: steps outside the run and
// damaged records, which were skipped, and a source without any record.
// The first record is run before the result file is touched; a result file
// that is the source itself is replaced only by the complete replay
// (runFileBatchIntoSource).
void runReplayCommand(const ReplayOptions& options, std::ostream& out, std::ostream& err);

}  // namespace mirvok::cli
