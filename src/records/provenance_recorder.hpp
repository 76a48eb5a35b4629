#pragma once

#include <chrono>
#include <string>

#include "records/provenance.hpp"

namespace mirvok {

// Keeps a provenance entry while its job runs, and stamps what only the job
// knows: when it started (made), when it ended and the runs it made
// (recorded).
class ProvenanceRecorder {
  public:
    using Clock = std::chrono::system_clock;

    explicit ProvenanceRecorder(Provenance entry, Clock::time_point started = Clock::now());

    // The entry, for the job to add what it knows (seed, iterations, members).
    Provenance& entry() { return entry_; }

    // Stamps the end and the runs and writes FILE.json (recordProvenance);
    // throws FileError.
    void record(const std::string& resultFile, long long runs, ProvenanceMode mode);
    // The same for a job that did not end as asked, whose own error or
    // interruption is what to report: nothing when it made no run, and a
    // failure to write is passed over.
    void recordQuietly(const std::string& resultFile, long long runs, ProvenanceMode mode) noexcept;

  private:
    Provenance entry_;
};

}  // namespace mirvok
