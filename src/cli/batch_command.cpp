#include "cli/batch_command.hpp"

#include "batch/setup_runs.hpp"
#include "batch/setup_workers.hpp"
#include "cli/file_batch.hpp"
#include "cli/option_error.hpp"
#include "records/batch_continuation.hpp"
#include "records/result_file.hpp"
#include "system/machine_memory.hpp"
#include "text/number_format.hpp"

namespace mirvok::cli {
namespace {

// What a --continue must share with the file's last batch.
struct ThisBatch {
    std::string header;
    int iterations = 0;
    Json values;  // batchValuesJson
    std::uint64_t seed = 0;
};

// The iteration a --continue goes on from: the whole records of the file's
// last batch, which must be this batch (its header, the seed and values its
// provenance gives it, and its last record made again by work).
int continuationOf(const std::string& output, const ThisBatch& b, const IterationWork& work) {
    const std::optional<LastBatch> last = readLastBatch(output);
    if (!last) throw optionError("--continue", "there is no file " + output + " to continue");
    try {
        const int first = continuationIndex(*last, b.header, b.iterations, output);
        if (const std::optional<Provenance> made = lastBatchProvenance(output, *last))
            checkContinuedValues(*made, b.values, b.seed, output);
        if (first > 0) checkLastRecord(*last, work(0, first - 1).record, output);
        return first;
    } catch (const InputError& e) {
        throw optionError("--continue", e.what());
    }
}

std::string resumeHint(std::uint64_t seed) {
    const std::string s = IntToStr(static_cast<long long>(seed));
    return "; seed: " + s + " (add --continue " + settingFlag(Setting::Seed) + " " + s +
           " to go on)";
}

}  // namespace

void addBatchCommand(CLI::App& app, BatchOptions& o) {
    CLI::App* batch = app.add_subcommand(
        "batch", "Run many generated trains and write one record per run to a result file");
    addValueOptions(
        *batch, o.values,
        {ValueGroup::Run, ValueGroup::Model, ValueGroup::Analysis, ValueGroup::Generator});
    addText(*batch, settingFlag(Setting::Iterations), o.iterations,
            settingRow(Setting::Iterations).help, "N");
    addBatchFileOptions(*batch, o.file);
    CLI::Option* seed =
        addOptionalText(*batch, settingFlag(Setting::Seed), o.seed,
                        settingRow(Setting::Seed).help +
                            " (default: from the clock; printed at the start and the end)");
    batch
        ->add_flag("--continue", o.continueBatch,
                   "go on with the interrupted batch in the result file, after its whole records")
        ->needs(seed)
        ->excludes(batch->get_option("--append"));
    CLI::Option* quantify = batch->add_flag(settingFlag(Setting::Quantify), o.quantify,
                                            settingRow(Setting::Quantify).help);
    batch->add_flag(settingFlag(Setting::C01), o.c01, settingRow(Setting::C01).help)
        ->needs(quantify);
}

void runBatchCommand(const BatchOptions& o, std::ostream& out, std::ostream& err) {
    BatchSetup setup = batchSetupFrom(o.values.numbers, o.values.segments);
    setup.generator.quantify = o.quantify;
    setup.generator.quantifyZeroOne = o.c01;
    const int iterations = iterationsFrom(o.iterations);
    const std::uint64_t seed = seedOrClock(o.seed);
    const int threads = threadsFrom(o.file.threads);
    const std::string header =
        formatResultHeader(setup.generator.isi, setup.headerShape, iterations);
    const RunSize run = runSizeOf(setup);
    RunnerPlan plan = planBatch(iterations, threads, run, availableMemoryBytes());

    SetupWorkers workers(setup, plan.workers);
    const IterationWork work = workers.generated(seed);
    // Entries the generator refuses are refused by every iteration alike:
    // find out on a first train before the result file is touched.
    const Json values = batchValuesJson(setup);
    const int first = o.continueBatch
                          ? continuationOf(o.file.output, {header, iterations, values, seed}, work)
                          : 0;
    if (!o.continueBatch && iterations > 0) work(0, 0);
    // Fewer runs fit wherever all of them did.
    if (first > 0) plan = planBatch(iterations - first, threads, run, std::nullopt);
    const IterationWork remaining = [&](int worker, int index) {
        return work(worker, first + index);
    };

    if (!o.seed) err << "seed: " << seed << std::endl;
    FileBatch batch;
    batch.file = o.file;
    batch.continuing = o.continueBatch;
    if (!o.continueBatch) batch.header = header;
    batch.plan = plan;
    batch.done = first;
    batch.total = iterations;
    batch.resumeHint = resumeHint(seed);
    batch.provenance = toolProvenance("batch", values);
    batch.provenance.seed = seed;
    batch.provenance.iterations = iterations;
    const ParallelOutcome outcome = runFileBatch(batch, remaining);

    if (o.continueBatch)
        err << "mirvok-cli: the averages cover the " << counted(outcome.records, "run")
            << " made now, after the " << first << " already in " << o.file.output << '\n';
    printAverages(out, outcome.sums);
    out << "seed: " << seed << '\n';
}

}  // namespace mirvok::cli
