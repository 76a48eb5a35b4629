#include "cli/replay_command.hpp"

#include <algorithm>
#include <vector>

#include "batch/batch_iteration.hpp"
#include "batch/batch_memory.hpp"
#include "batch/record_line_parser.hpp"
#include "batch/result_file.hpp"
#include "batch/result_file_reader.hpp"
#include "batch/worker_kit.hpp"
#include "cli/command_batch.hpp"
#include "cli/generator_setup.hpp"
#include "cli/option_values.hpp"
#include "model/machine_memory.hpp"
#include "text/errors.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok::cli {
namespace {

// The output lists of the source's record lines; lines without one (further
// headers of appended batches, empty lines) are passed over.
std::vector<std::vector<long long>> readOutputLists(const std::string& source) {
    const std::optional<std::vector<std::string>> lines = readResultFileRecords(source);
    if (!lines) throw FileError::couldNotRead(source);
    std::vector<std::vector<long long>> lists;
    for (const std::string& line : *lines) {
        if (auto list = parseRecordOutputList(line)) lists.push_back(std::move(*list));
    }
    return lists;
}

}  // namespace

void addReplayCommand(CLI::App& app, ReplayOptions& o) {
    CLI::App* replay = app.add_subcommand(
        "replay", "Run the output trains of a result file again as inputs, one record each");
    replay->add_option("SOURCE", o.source, "result file to read")->required();
    addModelOptions(*replay, o.model);
    addAnalysisOptions(*replay, o.analysis);
    replay->add_option("--output", o.output, "result file")
        ->type_name("FILE")
        ->default_str(o.output);
    replay->add_flag("--append", o.append, "append to the result file instead of replacing it");
    replay->add_option("--isi", o.isi, "mean interval recorded in the header")
        ->type_name("MS")
        ->default_str(o.isi);
    replay->add_option("--cv", o.cv, "CV whose shape is recorded in the header")
        ->type_name("X")
        ->default_str(o.cv);
    replay->add_option("--iterations", o.iterations, "count recorded in the header")
        ->type_name("N")
        ->default_str(o.iterations);
    replay
        ->add_option_function<std::string>(
            "--threads", [&o](const std::string& text) { o.threads = text; },
            "worker threads, at most 256 (default: the CPUs this process may use); the result does "
            "not depend on it")
        ->type_name("N");
    replay->add_flag("--quiet", o.quiet, "no progress line");
}

void runReplayCommand(const ReplayOptions& o, std::ostream& out, std::ostream& err) {
    const ModelValues model = toModelValues(o.model);
    const FixedAnalysisParams analysis = toAnalysisParams(o.analysis);
    SimState stateTemplate;
    stateTemplate.Nsteps = stepsForRunLength(model.reset.time);
    GeneratorTexts headerTexts;
    headerTexts.isi = o.isi;
    headerTexts.cv = o.cv;
    const GeneratorSetup header = toGeneratorSetup(headerTexts, stateTemplate.Nsteps);
    const int iterations = intOption("--iterations", o.iterations);
    const int threads = threadsOption(o.threads);

    // The whole source is read before the result file is opened, so a replay
    // that writes into the file it reads loses nothing.
    const std::vector<std::vector<long long>> lists = readOutputLists(o.source);
    std::size_t longest = 0;
    for (const std::vector<long long>& list : lists) longest = std::max(longest, list.size());
    const RunnerPlan plan =
        planBatch(static_cast<int>(lists.size()), threads, RunSize{stateTemplate.Nsteps, longest},
                  availableMemoryBytes());
    std::vector<WorkerKit> kits =
        makeWorkerKits(plan.workers, model.reset, model.rates, analysis, stateTemplate);
    auto work = [&](int worker, int index) {
        WorkerKit& kit = kits[static_cast<std::size_t>(worker)];
        return runReplayIteration(kit.state, lists[static_cast<std::size_t>(index)], kit.values(),
                                  index);
    };

    const CommandBatch batch{o.output, o.append, o.quiet,
                             formatResultHeader(header.settings.isi, header.shape, iterations),
                             plan};
    const ParallelOutcome outcome = runCommandBatch(batch, work);

    if (outcome.skippedSteps > 0)
        err << "mirvok-cli: " << skippedStepsMessage(outcome.skippedSteps, stateTemplate.Nsteps)
            << '\n';
    out << averageText(outcome.sums, '.') << '\n' << localAverageText(outcome.sums, '.') << '\n';
}

}  // namespace mirvok::cli
