#include "cli/generate_command.hpp"

#include "batch/setup_runs.hpp"
#include "records/spike_list_file.hpp"
#include "system/file_replace.hpp"
#include "system/machine_memory.hpp"

namespace mirvok::cli {

void addGenerateCommand(CLI::App& app, GenerateOptions& o) {
    CLI::App* generate =
        app.add_subcommand("generate", "Write one generated gamma spike train to a file");
    generate->add_option("--out", o.out, "spike-train file to write")
        ->type_name("FILE")
        ->required();
    addValueOptions(*generate, o.values, {ValueGroup::Run, ValueGroup::Generator});
    addOptionalText(*generate, settingFlag(Setting::Seed), o.seed,
                    settingRow(Setting::Seed).help + " (default: from the clock)");
}

void runGenerateCommand(const GenerateOptions& o, std::ostream& out) {
    const BatchSetup setup = batchSetupFrom(o.values.numbers, o.values.segments);
    const std::uint64_t seed = seedOrClock(o.seed);
    // Locked before the train is made: a file another process writes is
    // refused before the work, and no other starts writing it meanwhile.
    FileReplacement file(o.out);
    file.replace(formatSpikeList(generatedTrain(setup, seed, availableMemoryBytes().value_or(0))));
    out << "seed: " << seed << '\n';
}

}  // namespace mirvok::cli
