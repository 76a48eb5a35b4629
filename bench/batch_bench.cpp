#include <benchmark/benchmark.h>

#include "batch/batch_iteration.hpp"
#include "batch/parallel_batch.hpp"
#include "batch/setup_workers.hpp"
#include "records/record_line_parser.hpp"
#include "records/result_file.hpp"
#include "values/batch_setup.hpp"

namespace mirvok {
namespace {

// One whole batch iteration: train, instant run, analysis and the record
// text, for the run values of the command line's defaults (isi 20 ms,
// 1000 ms) at the given CV.
void runIterations(benchmark::State& bench, double cv) {
    GeneratorSettings generator;
    generator.cv = cv;
    const BatchSetup setup;
    SetupValues values(setup);
    SimState state;
    std::uint64_t index = 0;
    for (auto _ : bench) {
        Pcg31 source = iterationSource(42, index);
        IterationOutcome outcome =
            runGeneratedIteration(state, generator, source, {values}, static_cast<int>(index++));
        benchmark::DoNotOptimize(outcome.record.data());
    }
    bench.SetItemsProcessed(bench.iterations());
}

// At the default CV 0.02 (shape 2500: GKM1, about 40 passes per interval).
void BM_GeneratedIteration(benchmark::State& bench) {
    runIterations(bench, 0.02);
}
BENCHMARK(BM_GeneratedIteration);

// At CV 1 (exponential intervals: the model and the record dominate).
void BM_GeneratedIterationCv1(benchmark::State& bench) {
    runIterations(bench, 1.0);
}
BENCHMARK(BM_GeneratedIterationCv1);

// Reading one default record line back as a train.
void BM_ParseRecordLine(benchmark::State& bench) {
    const GeneratorSettings generator;
    const BatchSetup setup;
    SetupValues values(setup);
    SimState state;
    Pcg31 source = iterationSource(42, 0);
    const std::string line = runGeneratedIteration(state, generator, source, {values}, 0).record;
    for (auto _ : bench) {
        auto steps = parseRecordLine(line);
        benchmark::DoNotOptimize(steps);
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<int64_t>(line.size()));
}
BENCHMARK(BM_ParseRecordLine);

// A whole batch of 4000 default iterations through the parallel runner on
// 1, 2 and 64 worker threads, its records written to /dev/null: what the
// hand-over of records costs on top of the runs, and whether more threads
// than cores cost more than the cores alone.
void BM_ParallelBatch(benchmark::State& bench) {
    constexpr int kIterations = 4000;
    const int threads = static_cast<int>(bench.range(0));
    BatchSetup setup;
    setup.steps = stepsForRunLength(setup.reset.time, kNoMemoryBound);
    ParallelBatch batch;
    batch.target = {"/dev/null", ResultFileMode::Truncate};
    batch.header = formatResultHeader(setup.generator.isi, 2500.0, kIterations);
    batch.plan = planRun(kIterations, threads, 400);
    for (auto _ : bench) {
        SetupWorkers workers(setup, batch.plan.workers);
        const ParallelOutcome outcome = runParallelBatch(batch, workers.generated(1));
        benchmark::DoNotOptimize(outcome.sums.resultSum);
    }
    bench.SetItemsProcessed(bench.iterations() * kIterations);
}
BENCHMARK(BM_ParallelBatch)->Arg(1)->Arg(2)->Arg(64)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mirvok
