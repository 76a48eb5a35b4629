#include "support/fixed_batch_hooks.hpp"

#include "analysis/analysed_run.hpp"

namespace mirvok {

GeneratedReads FixedBatchHooks::generatedReads(int) {
    const GeneratorSettings& g = settings_.generator;
    return {entries_,
            {g.segmentMode, g.quantify, g.quantifyZeroOne},
            {settings_.reset, settings_.rates, settings_.analysis}};
}

void FixedBatchHooks::runTrain(SimState& state) {
    runAndAnalyse(state, settings_.reset, settings_.rates, settings_.analysis);
}

}  // namespace mirvok
