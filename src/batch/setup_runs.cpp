#include "batch/setup_runs.hpp"

#include "random/random_source.hpp"
#include "trains/gamma_generator.hpp"

namespace mirvok {
namespace {

// The generator draws segments from the state's lists.
void useSegments(SimState& state, const Segments& segments) {
    state.segBounds = segments.bounds;
    state.segIsi = segments.isi;
    state.segShape = segments.shape;
}

}  // namespace

RunSize runSizeOf(const BatchSetup& setup) {
    return RunSize{setup.steps, expectedSpikes(setup.steps, setup.generator)};
}

void loadSetup(WorkerKit& kit, const BatchSetup& setup) {
    kit.setup.use(setup);
    kit.state.Nsteps = setup.steps;
    useSegments(kit.state, setup.generator.segments);
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
    useSegments(state, setup.generator.segments);
    SettingsEntries entries(setup.generator, shapeTextForCv(setup.generator.cv, '.'));
    Pcg31 source = iterationSource(seed, 0);
    makeBatchTrain(state, entries, source, setup.generator.segmentMode, setup.generator.quantify,
                   setup.generator.quantifyZeroOne, availableBytes);
    return std::move(state.inSpikeSteps);
}

}  // namespace mirvok
