#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "batch/batch_progress.hpp"

namespace mirvok::cli {

// The progress line of a long batch on standard error: a bar, runs done of
// the total, runs per second and the time left. Redrawn in place at most a
// few times a second; cleared at the end so the summary starts on a clean
// line. Inactive (draws nothing) unless enabled.
class ProgressBar {
  public:
    using Clock = std::chrono::steady_clock;

    ProgressBar(long long total, bool enabled, std::FILE* out = stderr);
    ~ProgressBar();
    void update(long long done);
    void finish();

  private:
    void draw(long long done, Clock::time_point now);

    long long total_;
    bool enabled_;
    std::FILE* out_;
    Clock::time_point start_;
    Clock::time_point lastDraw_;
    std::size_t lastWidth_ = 0;
};

// Whether a progress line belongs on standard error: a terminal, not --quiet.
bool progressWanted(bool quiet);

}  // namespace mirvok::cli
