#include "cli/batch_command.hpp"

#include "batch/batch_iteration.hpp"
#include "batch/batch_memory.hpp"
#include "batch/result_file.hpp"
#include "batch/worker_kit.hpp"
#include "cli/command_batch.hpp"
#include "cli/generator_setup.hpp"
#include "cli/option_values.hpp"
#include "model/machine_memory.hpp"
#include "trains/random_source.hpp"

namespace mirvok::cli {

void addBatchCommand(CLI::App& app, BatchOptions& o) {
    CLI::App* batch = app.add_subcommand(
        "batch", "Run many generated trains and write one record per run to a result file");
    addModelOptions(*batch, o.model);
    addAnalysisOptions(*batch, o.analysis);
    addGeneratorOptions(*batch, o.generator);
    batch->add_option("--iterations", o.iterations, "number of runs")
        ->type_name("N")
        ->default_str(o.iterations);
    batch->add_option("--output", o.output, "result file")
        ->type_name("FILE")
        ->default_str(o.output);
    batch->add_flag("--append", o.append, "append to the result file instead of replacing it");
    batch
        ->add_option_function<std::string>(
            "--seed", [&o](const std::string& text) { o.seed = text; },
            "random seed (default: from the clock; printed at the end)")
        ->type_name("N");
    batch
        ->add_option_function<std::string>(
            "--threads", [&o](const std::string& text) { o.threads = text; },
            "worker threads, at most 256 (default: the CPUs this process may use); the result does "
            "not depend on it")
        ->type_name("N");
    CLI::Option* quantify =
        batch->add_flag("--quantify", o.quantify, "give every train a random gamma shape");
    batch->add_flag("--c01", o.c01, "with --quantify: the random shape is 1 or 100000")
        ->needs(quantify);
    batch->add_flag("--quiet", o.quiet, "no progress line");
}

void runBatchCommand(const BatchOptions& o, std::ostream& out) {
    const ModelValues model = toModelValues(o.model);
    const FixedAnalysisParams analysis = toAnalysisParams(o.analysis);
    SimState stateTemplate;
    stateTemplate.Nsteps = stepsForRunLength(model.reset.time);
    GeneratorSetup setup = toGeneratorSetup(o.generator, stateTemplate.Nsteps);
    setup.settings.quantify = o.quantify;
    setup.settings.quantifyZeroOne = o.c01;
    setup.applyTo(stateTemplate);
    const int iterations = intOption("--iterations", o.iterations);
    const std::uint64_t seed = seedOption(o.seed);
    const RunSize run{stateTemplate.Nsteps, expectedSpikes(stateTemplate, setup.settings)};
    const RunnerPlan plan =
        planBatch(iterations, threadsOption(o.threads), run, availableMemoryBytes());

    std::vector<WorkerKit> kits =
        makeWorkerKits(plan.workers, model.reset, model.rates, analysis, stateTemplate);
    auto work = [&](int worker, int index) {
        WorkerKit& kit = kits[static_cast<std::size_t>(worker)];
        Pcg31 source = iterationSource(seed, static_cast<std::uint64_t>(index));
        return runGeneratedIteration(kit.state, setup.settings, source, kit.values(), index);
    };
    // Entries the generator refuses are refused by every iteration alike:
    // find out on a first train before the result file is touched.
    if (iterations > 0) work(0, 0);

    const CommandBatch batch{o.output, o.append, o.quiet,
                             formatResultHeader(setup.settings.isi, setup.shape, iterations), plan};
    const ParallelOutcome outcome = runCommandBatch(batch, work);

    out << averageText(outcome.sums, '.') << '\n'
        << localAverageText(outcome.sums, '.') << '\n'
        << "seed: " << seed << '\n';
}

}  // namespace mirvok::cli
