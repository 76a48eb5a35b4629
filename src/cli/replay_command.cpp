#include "cli/replay_command.hpp"

#include <algorithm>
#include <vector>

#include "base/errors.hpp"
#include "batch/batch_setup.hpp"
#include "batch/results/result_file.hpp"
#include "batch/results/result_file_reader.hpp"
#include "cli/batch_setup_options.hpp"
#include "cli/command_batch.hpp"
#include "cli/option_values.hpp"
#include "system/machine_memory.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok::cli {

void addReplayCommand(CLI::App& app, ReplayOptions& o) {
    CLI::App* replay = app.add_subcommand(
        "replay", "Run the output trains of a result file again as inputs, one record each");
    replay->add_option("SOURCE", o.source, "result file to read")->required();
    addModelOptions(*replay, o.model);
    addAnalysisOptions(*replay, o.analysis);
    addBatchFileOptions(*replay, o.file);
    addText(*replay, "--isi", o.isi, "mean interval recorded in the header", "MS");
    addText(*replay, "--cv", o.cv, "CV whose shape is recorded in the header");
    addText(*replay, "--iterations", o.iterations, "count recorded in the header", "N");
}

void runReplayCommand(const ReplayOptions& o, std::ostream& out, std::ostream& err) {
    GeneratorTexts headerTexts;
    headerTexts.isi = o.isi;
    headerTexts.cv = o.cv;
    const BatchSetup setup = toBatchSetup({o.model, o.analysis, headerTexts});
    const int Nsteps = setup.stateTemplate.Nsteps;
    const int iterations = intOption("--iterations", o.iterations);
    const int threads = threadsOption(o.file.threads);

    // The whole source is read before the result file is opened, so a replay
    // that writes into the file it reads loses nothing.
    const std::optional<ReplaySource> source = readReplaySource(o.source);
    if (!source) throw FileError::couldNotRead(o.source);
    const std::vector<std::vector<int>>& lists = source->lists;
    std::size_t longest = 0;
    for (const std::vector<int>& list : lists) longest = std::max(longest, list.size());
    const int count = static_cast<int>(lists.size());
    const RunnerPlan plan =
        planBatch(count, threads, RunSize{Nsteps, longest}, availableMemoryBytes());
    std::vector<WorkerKit> kits(static_cast<std::size_t>(plan.workers));
    for (WorkerKit& kit : kits) loadSetup(kit, setup);
    auto work = [&](int worker, int index) {
        WorkerKit& kit = kits[static_cast<std::size_t>(worker)];
        return runReplayIteration(kit.state, lists[static_cast<std::size_t>(index)], kit.values(),
                                  index);
    };

    CommandBatch batch;
    batch.file = o.file;
    batch.header = formatResultHeader(setup.generator.isi, setup.headerShape, iterations);
    batch.plan = plan;
    batch.total = count;
    // The generator's values are only recorded in the header.
    batch.provenance = toolProvenance("replay", batchValuesJson(setup, {"isi-jitter"}));
    batch.provenance.source = o.source;
    batch.provenance.iterations = count;
    const ParallelOutcome outcome = runCommandBatch(batch, work);

    if (outcome.skippedSteps > 0)
        err << "mirvok-cli: " << skippedStepsMessage(outcome.skippedSteps, Nsteps) << '\n';
    if (source->damagedRecords > 0)
        err << "mirvok-cli: " << damagedRecordsMessage(source->damagedRecords) << '\n';
    if (source->partialRecords > 0)
        err << "mirvok-cli: " << partialRecordsMessage(source->partialRecords) << '\n';
    if (lists.empty()) err << "mirvok-cli: " << noRecordsMessage(o.source) << '\n';
    out << averageText(outcome.sums, '.') << '\n' << localAverageText(outcome.sums, '.') << '\n';
}

}  // namespace mirvok::cli
