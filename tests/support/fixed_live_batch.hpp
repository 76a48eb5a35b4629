#pragma once

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
    ResultHeader header;
    GeneratorSettings generator;
    FixedResetValues reset;
    FixedRates rates;
    FixedAnalysisParams analysis;
};

// A batch on the caller's thread without a window (tests): the count is the
// header's, nothing is pumped, nothing stops it. A generated batch gives
// the same records as runGeneratedIteration run for each index on any
// thread.
class FixedLiveBatch : public LiveBatch {
  public:
    explicit FixedLiveBatch(FixedBatchSettings settings) : settings_(std::move(settings)) {}

    int iterations() override { return settings_.header.ntests; }
    void pumpEvents() override {}
    void iterationStarts(int, int) override {}
    GeneratedReads reads() override;
    bool recorded(const IterationOutcome&) override { return false; }

    FixedBatchSettings& settings() { return settings_; }
    BatchReport runGenerated(SimState& state, std::uint64_t seed) {
        return runGeneratedBatch(state, {settings_.target, Previous::Dropped, std::nullopt},
                                 settings_.header, seed, *this);
    }
    BatchReport runReplay(SimState& state, const ReplaySource& source) {
        return runReplayBatch(state, {settings_.target, Previous::Dropped, std::nullopt},
                              settings_.header, source, *this);
    }

  private:
    FixedBatchSettings settings_;
    SettingsEntries entries_{settings_.generator};
};

}  // namespace mirvok
