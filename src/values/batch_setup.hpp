#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/value_source.hpp"
#include "text/json_fwd.hpp"
#include "trains/generator_settings.hpp"

namespace mirvok {

// Everything a generated batch reads, converted and checked before it starts:
// the model, analysis and generator values (the segments with the
// generator's) and the steps of every run.
struct BatchSetup {
    // The values the model reads at its reset; and the memory its traces
    // may take half of, no value but the machine's (kNoMemoryBound: no bound).
    struct Reset {
        int time = 1000;  // ms
        double v1 = 0.2;
        double v2 = 0.8;
        double eps = 0.005;
        double tol = 0.0;
        std::uint64_t memory = kNoMemoryBound;
    } reset;
    // The rates its steps read.
    struct Rates {
        double g1 = 0.009;
        double g2 = 0.006;
        double d1 = 0.45;
        double d2 = 0.3;
    } rates;
    // The values its analysis reads.
    struct Analysis {
        int ignSteps = 0;
        int rangeIntervals = 5;
        double c0Value = 0.3333;
    } analysis;
    GeneratorSettings generator;
    int steps = 0;             // of every run, from its length
    double headerShape = 0.0;  // 1/cv^2 as the shape box shows it, for the header
};

// A setup's values as a run reads them, each from its row of the value
// table. Refers to the setup, which must outlive it; reads no other state,
// so that threads may read one setup side by side.
class SetupValues final : public ValueSource {
  public:
    explicit SetupValues(const BatchSetup& setup);
    double value(RunValue key) override { return get_[static_cast<std::size_t>(key)](*setup_); }
    std::uint64_t memoryBytes() override { return setup_->reset.memory; }
    // Reads another setup from now on.
    void use(const BatchSetup& setup) { setup_ = &setup; }

  private:
    const BatchSetup* setup_;
    // The rows' getters by key, found once: a run reads at every event check.
    std::array<double (*)(const BatchSetup&), kRunValues> get_;
};

// The values of the value table as one JSON object under their option
// names, the segments (when defined) as a list of {"end", "isi", "shape"}
// under "segments", and quantify and c01 when set; names listed in leaveOut
// are left out.
Json batchValuesJson(const BatchSetup& setup, const std::vector<std::string>& leaveOut = {});

}  // namespace mirvok
