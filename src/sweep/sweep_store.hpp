#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sweep/sweep_folder.hpp"
#include "sweep/sweep_runner.hpp"
#include "system/file_replace.hpp"

namespace mirvok {

// Keeps each point's results in the sweep's folder the moment the point is
// done: its result file and provenance (with keepRecords), then its row,
// whose presence marks the point as done. A point cut short leaves nothing
// under its final names, so running the sweep again redoes exactly it.
class SweepStore final : public SweepSink {
  public:
    struct Settings {
        std::string program;  // named in the provenance of the points' result files
        std::vector<std::string> variedNames;
        std::uint64_t sweepSeed = 0;
        int iterations = 0;
        bool keepRecords = false;
    };

    // progress gets the runs done so far; stop is asked between blocks.
    SweepStore(const SweepFolder& folder, Settings settings,
               std::function<void(long long runs)> progress, std::function<bool()> stop)
        : folder_(folder),
          settings_(std::move(settings)),
          progress_(std::move(progress)),
          stop_(std::move(stop)) {}

    void records(const SweepPoint& point, std::string_view lines) override;
    void pointDone(const SweepPoint& point, const PointStats& stats) override;
    void progress(long long runs) override { progress_(runs); }
    bool stopRequested() override { return stop_(); }

    int pointsDone() const { return pointsDone_; }

  private:
    void openRecords(const SweepPoint& point);
    void placeRecords(const SweepPoint& point, int runs);

    const SweepFolder& folder_;
    const Settings settings_;
    std::function<void(long long)> progress_;
    std::function<bool()> stop_;
    std::unique_ptr<FileBeside> recordsFile_;
    int recordsPoint_ = -1;
    std::chrono::system_clock::time_point recordsStarted_;
    int pointsDone_ = 0;
};

}  // namespace mirvok
