#include "cli/generate_command.hpp"

#include "batch/batch_iteration.hpp"
#include "batch/results/spike_list_file.hpp"
#include "cli/generator_setup.hpp"
#include "cli/option_values.hpp"
#include "model/reset.hpp"
#include "system/machine_memory.hpp"
#include "trains/random/random_source.hpp"

namespace mirvok::cli {

void addGenerateCommand(CLI::App& app, GenerateOptions& o) {
    CLI::App* generate =
        app.add_subcommand("generate", "Write one generated gamma spike train to a file");
    generate->add_option("--out", o.out, "spike-train file to write")
        ->type_name("FILE")
        ->required();
    addTimeOption(*generate, o.time);
    addGeneratorOptions(*generate, o.generator);
    addOptionalText(*generate, "--seed", o.seed, "random seed (default: from the clock)");
}

void runGenerateCommand(const GenerateOptions& o, std::ostream& out) {
    const int Nsteps = stepsForRunLength(runLengthOption(o.time), physicalMemoryBytes());
    const GeneratorSetup setup = toGeneratorSetup(o.generator, Nsteps);
    const std::uint64_t seed = seedOption(o.seed);

    SimState state;
    state.Nsteps = Nsteps;
    setup.applyTo(state);
    SettingsEntries entries(setup.settings, setup.shapeText);
    Pcg31 source = iterationSource(seed, 0);
    makeBatchTrain(state, entries, source, setup.settings.segmentMode, false, false,
                   availableMemoryBytes().value_or(0));
    writeSpikeList(o.out, state.inSpikeSteps);
    out << "seed: " << seed << '\n';
}

}  // namespace mirvok::cli
