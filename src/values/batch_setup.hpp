#pragma once

#include <string>
#include <vector>

#include "analysis/analysis_params.hpp"
#include "model/rates.hpp"
#include "model/reset.hpp"
#include "text/json_fwd.hpp"
#include "trains/generator_settings.hpp"

namespace mirvok {

// Everything a generated batch reads, converted and checked before it starts:
// the model, analysis and generator values (the segments with the
// generator's) and the steps of every run.
struct BatchSetup {
    FixedResetValues reset;
    FixedRates rates;
    FixedAnalysisParams analysis;
    GeneratorSettings generator;
    int steps = 0;             // of every run, from its length
    double headerShape = 0.0;  // 1/cv^2 as the shape box shows it, for the header
};

// The values of the value table as one JSON object under their option
// names, the segments (when defined) as a list of {"end", "isi", "shape"}
// under "segments", and quantify and c01 when set; names listed in leaveOut
// are left out.
Json batchValuesJson(const BatchSetup& setup, const std::vector<std::string>& leaveOut = {});

}  // namespace mirvok
