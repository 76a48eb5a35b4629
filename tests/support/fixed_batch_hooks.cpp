#include "support/fixed_batch_hooks.hpp"

#include "analysis/analysed_run.hpp"

namespace mirvok {

void FixedBatchHooks::makeTrain(SimState& state, int index) {
    // A state of its own may not have had a reset yet.
    state.Nsteps = stepsForRunLength(settings_.reset.timeMs());
    Pcg31 source = iterationSource(settings_.seed, static_cast<std::uint64_t>(index));
    SettingsEntries entries(settings_.generator);
    const GeneratorSettings& g = settings_.generator;
    makeBatchTrain(state, entries, source, g.segmentMode, g.quantify, g.quantifyZeroOne);
}

void FixedBatchHooks::runTrain(SimState& state) {
    runAndAnalyse(state, settings_.reset, settings_.rates, settings_.analysis);
}

}  // namespace mirvok
