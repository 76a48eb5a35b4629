#include "cli/replay_command.hpp"

#include <filesystem>
#include <vector>

#include "base/errors.hpp"
#include "batch/batch_memory.hpp"
#include "batch/replay_budget.hpp"
#include "batch/setup_workers.hpp"
#include "cli/file_batch.hpp"
#include "cli/source_replacement.hpp"
#include "records/result_file.hpp"
#include "records/result_file_reader.hpp"
#include "system/file_replace.hpp"
#include "system/machine_memory.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok::cli {
namespace {

// The source as named from the result file's folder: verify finds it
// wherever it runs, and where both files have moved together.
std::string sourceFromResultFile(const std::string& source, const std::string& output) {
    std::error_code ec;
    const std::filesystem::path from = std::filesystem::absolute(output, ec).parent_path();
    const std::filesystem::path to = std::filesystem::absolute(source, ec);
    if (ec) return source;
    const std::filesystem::path relative =
        to.lexically_normal().lexically_proximate(from.lexically_normal());
    return relative.empty() ? source : relative.string();
}

}  // namespace

void addReplayCommand(CLI::App& app, ReplayOptions& o) {
    CLI::App* replay = app.add_subcommand(
        "replay", "Run the output trains of a result file again as inputs, one record each");
    replay->add_option("SOURCE", o.source, "result file to read")->required();
    addValueOptions(*replay, o.values, {ValueGroup::Run, ValueGroup::Model, ValueGroup::Analysis});
    addBatchFileOptions(*replay, o.file);
    addHeaderOptions(*replay, o.values);
    addText(*replay, settingFlag(Setting::Iterations), o.iterations, "count recorded in the header",
            "N");
}

void runReplayCommand(const ReplayOptions& o, std::ostream& out, std::ostream& err) {
    const BatchSetup setup = batchSetupFrom(o.values.numbers, {});
    const int Nsteps = setup.steps;
    const int iterations = iterationsFrom(o.iterations);
    const int threads = threadsFrom(o.file.threads);

    // The whole source is read before the result file is opened, so a replay
    // may write into the file it reads; what it holds is weighed as it is read.
    const std::optional<std::uint64_t> available = availableMemoryBytes();
    const std::optional<ReplaySource> source = readReplaySource(
        o.source, available ? replaySourceBudget(o.source, Nsteps, *available) : SourceBudget{});
    if (!source) throw FileError::couldNotRead(o.source);
    const std::vector<std::vector<int>>& lists = source->lists;
    const int count = static_cast<int>(lists.size());
    const RunnerPlan plan =
        planBatch(count, threads, replaySize(Nsteps, lists), availableMemoryBytes());
    SetupWorkers workers(setup, plan.workers);
    const IterationWork work = workers.replayed(lists);
    // Values the model refuses are refused by every record alike: find out
    // on the first before the result file is touched.
    if (count > 0) work(0, 0);

    FileBatch batch;
    batch.file = o.file;
    batch.header = formatResultHeader(setup.generator.isi, setup.headerShape, iterations);
    batch.plan = plan;
    batch.total = count;
    batch.provenance = toolProvenance("replay", batchValuesJson(setup, notReadByReplay()));
    batch.provenance.source = sourceFromResultFile(o.source, o.file.output);
    batch.provenance.more["source_sha256"] = source->sha256;
    batch.provenance.iterations = count;
    const bool intoSource = !o.file.append && sameRegularFile(o.source, o.file.output);
    const ParallelOutcome outcome =
        intoSource ? runFileBatchIntoSource(batch, work) : runFileBatch(batch, work);

    if (outcome.skippedSteps > 0)
        err << "mirvok-cli: " << skippedStepsMessage(outcome.skippedSteps, Nsteps) << '\n';
    if (source->damagedRecords > 0)
        err << "mirvok-cli: " << damagedRecordsMessage(source->damagedRecords) << '\n';
    if (source->partialRecords > 0)
        err << "mirvok-cli: " << partialRecordsMessage(source->partialRecords) << '\n';
    if (lists.empty()) err << "mirvok-cli: " << noRecordsMessage(o.source) << '\n';
    printAverages(out, outcome.sums);
}

}  // namespace mirvok::cli
