// Cost of the model: one update, whole instant runs with their analysis, and
// the analysis of a long train.
#include <benchmark/benchmark.h>

#include "analysis/analysed_run.hpp"
#include "analysis/analysis.hpp"
#include "model/instant_run.hpp"
#include "model/step.hpp"
#include "values/batch_setup.hpp"

using namespace mirvok;

namespace {

// A regular train with a spike every 40 steps, as the default generator
// gives on average.
void loadRegularTrain(SimState& s, int nsteps) {
    s.inTrain.assign(nsteps, 0);
    s.inSpikeSteps.clear();
    for (int k = 40; k < nsteps; k += 40) {
        s.inTrain[k] = 1;
        s.inSpikeSteps.push_back(k);
    }
}

void BM_update_per_step(benchmark::State& st) {
    SimState s;
    BatchSetup setup;
    setup.reset.time = 5000;
    SetupValues values(setup);
    resetSimulation(s, values);
    loadRegularTrain(s, s.Nsteps);
    s.outTrain.assign(s.Nsteps, 0);
    for (auto _ : st) {
        if (s.curStep >= s.Nsteps) {
            st.PauseTiming();
            resetSimulation(s, values);
            st.ResumeTiming();
        }
        updateModel(s, values);
        ++s.curStep;
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_update_per_step);

void BM_instant_run_with_analysis(benchmark::State& st) {
    const int timeMs = static_cast<int>(st.range(0));
    SimState s;
    loadRegularTrain(s, 2 * timeMs);
    BatchSetup setup;
    setup.reset.time = timeMs;
    SetupValues values(setup);
    RunResults results;
    for (auto _ : st) {
        runAndAnalyse(s, values, results);
        benchmark::DoNotOptimize(results.analysisResult);
    }
    st.SetItemsProcessed(st.iterations() * 2 * timeMs);
}
BENCHMARK(BM_instant_run_with_analysis)->Arg(1000)->Arg(5000000)->Unit(benchmark::kMillisecond);

// The window's instant run: traces kept and a hook call after every step.
void BM_instant_run_with_traces(benchmark::State& st) {
    SimState s;
    loadRegularTrain(s, 2000);
    const BatchSetup setup;
    SetupValues values(setup);
    RunResults results;
    AnalysingHooks hooks(s, values, results);
    for (auto _ : st) {
        runInstant(s, values, hooks);
        benchmark::DoNotOptimize(results.analysisResult);
    }
    st.SetItemsProcessed(st.iterations() * 2000);
}
BENCHMARK(BM_instant_run_with_traces)->Unit(benchmark::kMicrosecond);

void BM_analysis_of_100000_spikes(benchmark::State& st) {
    SimState s;
    for (int i = 0; i < 100000; ++i) s.inSpikeSteps.push_back(40 * i + (i * 7919) % 23);
    for (int i = 0; i < 100000; i += 3) s.outSpikeSteps.push_back(s.inSpikeSteps[i]);
    const BatchSetup setup;
    SetupValues values(setup);
    RunResults results;
    for (auto _ : st) {
        analyseRun(s, values, results);
        benchmark::DoNotOptimize(results.analysisResult);
    }
}
BENCHMARK(BM_analysis_of_100000_spikes)->Unit(benchmark::kMillisecond);

}  // namespace
