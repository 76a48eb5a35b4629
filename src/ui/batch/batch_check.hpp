#pragma once

#include "trains/gamma_generator.hpp"

namespace mirvok::ui {

class ParameterBoxes;

// Where a batch takes its trains from: a replay's file, or the generator
// with the window's "different intervals" and "quantify".
struct BatchTrains {
    bool generated = false;
    bool segmentMode = false;
    bool quantify = false;
};

// Converts every box the batch will read (the header's, the generator's, the
// reset's, the rates and the analysis') and checks what the core would
// refuse of them for its runs, throwing the first refusal with its own
// message. Called before the batch touches anything, so a refused value is
// shown once and leaves the result file as it was.
void checkBatchBoxes(const ParameterBoxes& boxes, GeneratorEntries& entries, BatchTrains trains);

}  // namespace mirvok::ui
