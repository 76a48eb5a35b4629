#include "cli/run_command.hpp"

#include "analysis/analysed_run.hpp"
#include "base/errors.hpp"
#include "records/spike_list_file.hpp"
#include "system/file_replace.hpp"
#include "system/machine_memory.hpp"
#include "text/json.hpp"
#include "trains/spike_train_reader.hpp"
#include "values/batch_setup.hpp"

namespace mirvok::cli {

void addRunCommand(CLI::App& app, RunOptions& o) {
    CLI::App* run = app.add_subcommand(
        "run", "Run the model once over a spike-train file and print the analysis as JSON");
    run->add_option("--train", o.train, "spike-train file (step indices)")
        ->type_name("FILE")
        ->required();
    addValueOptions(*run, o.values, {ValueGroup::Run, ValueGroup::Model, ValueGroup::Analysis});
    run->add_option("--save-output", o.saveOutput, "also save the output spike list")
        ->type_name("FILE");
}

std::string runJson(const SimState& s, const RunResults& r) {
    const Json json = {{"nsteps", s.Nsteps},
                       {"input_spikes", s.inSpikeSteps},
                       {"output_spikes", s.outSpikeSteps},
                       {"transmission_ratio", r.transmissionRatio},
                       {"isi_cv", r.isiCV},
                       {"local_score_mean", r.localScoreMean},
                       {"analysis_result", r.analysisResult},
                       {"local_cv", s.spikeVari},
                       {"v1", s.V1},
                       {"v2", s.V2}};
    return jsonLine(json) + '\n';
}

void runRunCommand(const RunOptions& o, std::ostream& out, std::ostream& err) {
    BatchSetup values = batchSetupFrom(o.values.numbers, {});
    // Locked before the run, as generate's file is.
    std::optional<FileReplacement> saved;
    if (!o.saveOutput.empty()) saved.emplace(o.saveOutput);

    // The train is read for the run length the run will have, as the window
    // reads it for the Nsteps it holds.
    SimState state;
    state.Nsteps = values.steps;
    const std::optional<TrainLoad> load =
        readSpikeTrainFile(state, o.train, availableMemoryBytes().value_or(0));
    if (!load) throw FileError::couldNotRead(o.train);
    if (load->stoppedAt)
        err << "mirvok-cli: "
            << readStopMessage(o.train, *load->stoppedAt, load->stored + load->skipped) << '\n';
    if (load->skipped > 0)
        err << "mirvok-cli: " << skippedStepsMessage(load->skipped, state.Nsteps) << '\n';

    SetupValues source(values);
    RunResults results;
    runAndAnalyse(state, source, results);
    if (saved) saved->replace(formatSpikeList(state.outSpikeSteps));
    out << runJson(state, results);
}

}  // namespace mirvok::cli
