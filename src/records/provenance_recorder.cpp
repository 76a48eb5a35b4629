#include "records/provenance_recorder.hpp"

#include <utility>

namespace mirvok {

ProvenanceRecorder::ProvenanceRecorder(Provenance entry, Clock::time_point started)
    : entry_(std::move(entry)) {
    entry_.started = started;
}

void ProvenanceRecorder::record(const std::string& resultFile, long long runs,
                                ProvenanceMode mode) {
    entry_.runs = runs;
    entry_.ended = Clock::now();
    recordProvenance(resultFile, entry_, mode);
}

void ProvenanceRecorder::recordQuietly(const std::string& resultFile, long long runs,
                                       ProvenanceMode mode) noexcept {
    try {
        if (runs > 0) record(resultFile, runs, mode);
    } catch (...) {
    }
}

}  // namespace mirvok
