#pragma once

#include <string>
#include <vector>

#include "batch/batch_iteration.hpp"
#include "cli/option_texts.hpp"
#include "model/sim_state.hpp"

namespace mirvok::cli {

// The generator options converted once, for any number of trains.
struct GeneratorSetup {
    GeneratorSettings settings;  // segmentMode set when --segment was given
    std::string shapeText;       // 1/cv^2 as the window writes it into its shape box
    double shape = 0.0;          // that text read back: the header's shape
    // The lists a segment definition built (empty in single mode).
    std::vector<int> segBounds;
    std::vector<double> segIsi;
    std::vector<double> segShape;

    // Gives a state the segment lists (empty in single mode).
    void applyTo(SimState& state) const;
};

// Converts the options for runs of Nsteps steps. Segments are defined one by
// one as the interval dialog does, END being the slider position; the last
// END must be Nsteps - 1. Throws OptionError.
GeneratorSetup toGeneratorSetup(const GeneratorTexts& texts, int Nsteps);

}  // namespace mirvok::cli
