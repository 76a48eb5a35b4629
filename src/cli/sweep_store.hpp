#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "batch/sweep/sweep_runner.hpp"
#include "cli/progress_bar.hpp"
#include "cli/sweep_directory.hpp"
#include "system/file_replace.hpp"

namespace mirvok::cli {

// Keeps each point's results in the sweep's folder the moment the point is
// done: its result file and provenance (--keep-records), then its row, whose
// presence marks the point as done. A point cut short leaves nothing under
// its final names, so running the sweep again redoes exactly it.
class SweepStore final : public SweepSink {
  public:
    struct Settings {
        std::vector<std::string> variedNames;
        std::uint64_t sweepSeed = 0;
        int iterations = 0;
        bool keepRecords = false;
    };

    SweepStore(const SweepDirectory& directory, Settings settings, ProgressBar& progress)
        : directory_(directory), settings_(std::move(settings)), progress_(progress) {}

    void records(const SweepPoint& point, std::string_view lines) override;
    void pointDone(const SweepPoint& point, const PointStats& stats) override;
    void progress(long long runs) override { progress_.update(runs); }
    // A SIGINT or SIGTERM (InterruptCatcher).
    bool stopRequested() override;

    int pointsDone() const { return pointsDone_; }

  private:
    void openRecords(const SweepPoint& point);
    void placeRecords(const SweepPoint& point, int runs);

    const SweepDirectory& directory_;
    const Settings settings_;
    ProgressBar& progress_;
    std::unique_ptr<FileBeside> recordsFile_;
    int recordsPoint_ = -1;
    std::chrono::system_clock::time_point recordsStarted_;
    int pointsDone_ = 0;
};

}  // namespace mirvok::cli
