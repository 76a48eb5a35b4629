#include "batch/setup_runs.hpp"

#include "random/random_source.hpp"
#include "trains/gamma_generator.hpp"

namespace mirvok {

RunSize runSizeOf(const BatchSetup& setup) {
    return RunSize{setup.steps, expectedSpikes(setup.steps, setup.generator)};
}

void loadSetup(WorkerKit& kit, const BatchSetup& setup) {
    kit.setup.use(setup);
    kit.state.Nsteps = setup.steps;
}

IterationOutcome runSetupIteration(WorkerKit& kit, const BatchSetup& setup, std::uint64_t seed,
                                   int index, RecordText record) {
    Pcg31 source = iterationSource(seed, static_cast<std::uint64_t>(index));
    return runGeneratedIteration(kit.state, setup.generator, source, kit.values(), index, record);
}

std::vector<int> generatedTrain(const BatchSetup& setup, std::uint64_t seed,
                                std::uint64_t availableBytes) {
    SimState state;
    state.Nsteps = setup.steps;
    SettingsEntries entries(setup.generator, shapeTextForCv(setup.generator.cv, '.'));
    Pcg31 source = iterationSource(seed, 0);
    makeBatchTrain(state, entries, source, setup.generator.segmentMode, setup.generator.quantify,
                   setup.generator.quantifyZeroOne, availableBytes);
    return std::move(state.inSpikeSteps);
}

}  // namespace mirvok
