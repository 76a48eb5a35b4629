#pragma once

#include <string>
#include <utility>

#include "batch/batch_iteration.hpp"
#include "batch/batch_loops.hpp"
#include "values/batch_setup.hpp"

namespace mirvok {

// Everything a batch reads, fixed in advance: the file, its header and the
// values (a setup's, its defaults until changed).
struct FixedBatchSettings : BatchSetup {
    ResultTarget target;
    ResultHeader header;
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
    SetupValues values_{settings_};
};

}  // namespace mirvok
