#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "analysis/analysis_params.hpp"
#include "batch/batch_iteration.hpp"
#include "batch/batch_loops.hpp"
#include "model/rates.hpp"
#include "model/reset.hpp"

namespace mirvok {

// Everything a batch reads, fixed in advance.
struct FixedBatchSettings {
    ResultTarget target;
    int ntests = 100;
    double headerShape = 1000.0;
    double headerIsi = 20.0;
    GeneratorSettings generator;
    FixedResetValues reset;
    FixedRates rates;
    FixedAnalysisParams analysis;
};

// Batch hooks without a window (tests, benchmarks): a generated batch gives
// the same records as runGeneratedIteration run for each index on any
// thread. An open failure is kept as openFailureMessage.
class FixedBatchHooks : public BatchHooks {
  public:
    explicit FixedBatchHooks(FixedBatchSettings settings) : settings_(std::move(settings)) {}

    std::optional<ResultTarget> chooseResultFile() override { return settings_.target; }
    void openFailed(const std::string& message) override { openFailureMessage = message; }
    int iterations() override { return settings_.ntests; }
    double headerShape() override { return settings_.headerShape; }
    double headerIsi() override { return settings_.headerIsi; }
    GeneratedReads generatedReads(int index) override;
    void runTrain(SimState& state) override;

    FixedBatchSettings& settings() { return settings_; }
    std::string openFailureMessage;

  private:
    FixedBatchSettings settings_;
    SettingsEntries entries_{settings_.generator};
};

}  // namespace mirvok
