#include <benchmark/benchmark.h>

#include "batch/batch_iteration.hpp"
#include "batch/record_line_parser.hpp"
#include "batch/result_file.hpp"

namespace mirvok {
namespace {

// One whole batch iteration at the default settings (isi 20 ms, CV 0.02,
// 1000 ms): train, instant run, analysis and the record text.
void BM_GeneratedIteration(benchmark::State& bench) {
    const GeneratorSettings generator;
    FixedResetValues reset;
    FixedRates rates;
    FixedAnalysisParams analysis;
    SimState state;
    std::uint64_t index = 0;
    for (auto _ : bench) {
        Pcg31 source = iterationSource(42, index);
        IterationOutcome outcome = runGeneratedIteration(
            state, generator, source, {reset, rates, analysis}, static_cast<int>(index++));
        benchmark::DoNotOptimize(outcome.record.data());
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_GeneratedIteration);

// Reading one default record line back as a train.
void BM_ParseRecordLine(benchmark::State& bench) {
    const GeneratorSettings generator;
    FixedResetValues reset;
    FixedRates rates;
    FixedAnalysisParams analysis;
    SimState state;
    Pcg31 source = iterationSource(42, 0);
    const std::string line =
        runGeneratedIteration(state, generator, source, {reset, rates, analysis}, 0).record;
    for (auto _ : bench) {
        auto steps = parseRecordOutputList(line);
        benchmark::DoNotOptimize(steps);
    }
    bench.SetBytesProcessed(bench.iterations() * static_cast<int64_t>(line.size()));
}
BENCHMARK(BM_ParseRecordLine);

}  // namespace
}  // namespace mirvok
