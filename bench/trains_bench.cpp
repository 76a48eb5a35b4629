// One default train: isi 20 ms, +/- 0, CV 0.02 (shape 2500), 1000 ms = 2000
// steps, with the shape passing through its text as the window does.
#include <benchmark/benchmark.h>

#include <string>

#include "model/sim_state.hpp"
#include "random/gkm1_sampler.hpp"
#include "random/random_source.hpp"
#include "random/random_variates.hpp"
#include "text/number_parse.hpp"
#include "trains/gamma_generator.hpp"

namespace {

class DefaultEntries final : public mirvok::GeneratorEntries {
  public:
    double cv() override { return mirvok::StrToDouble("0.02", '.'); }
    void writeShape(const std::string& text) override { shape_ = text; }
    double shape() override { return mirvok::StrToDouble(shape_, '.'); }
    double isi() override { return mirvok::StrToDouble("20", '.'); }
    double isiJitter() override { return mirvok::StrToDouble("0", '.'); }

  private:
    std::string shape_ = "1000";
};

void BM_DefaultTrain(benchmark::State& bench) {
    mirvok::SimState state;
    state.Nsteps = 2000;
    DefaultEntries entries;
    mirvok::Pcg31 source(20261207);
    for (auto _ : bench) {
        mirvok::generateTrain(state, entries, source, false);
        benchmark::DoNotOptimize(state.inSpikeSteps.data());
    }
    bench.counters["spikes"] = static_cast<double>(state.inSpikeSteps.size());
}
BENCHMARK(BM_DefaultTrain);

// One interval at the default shape: GKM1 at a = 2500, the plain algorithm
// (what a single draw outside a train costs).
void BM_GammaVariateShape2500(benchmark::State& bench) {
    mirvok::Pcg31 source(7);
    for (auto _ : bench) benchmark::DoNotOptimize(mirvok::gammaVariate(source, 0.016, 2500.0));
}
BENCHMARK(BM_GammaVariateShape2500);

// The same intervals as a train draws them: passes in blocks, most decided
// by the squeeze.
void BM_Gkm1SamplerShape2500(benchmark::State& bench) {
    mirvok::Pcg31 source(7);
    mirvok::Gkm1Sampler sampler(source, 2500.0);
    for (auto _ : bench) benchmark::DoNotOptimize(sampler.variate(0.016));
}
BENCHMARK(BM_Gkm1SamplerShape2500);

}  // namespace
