#include "batch/batch_loops.hpp"

#include <optional>
#include <vector>

#include "base/errors.hpp"
#include "batch/batch_session.hpp"

namespace mirvok {
namespace {

// Opens the result file, writes the header, makes the runs and ends the
// session; a file that cannot be opened ends the batch before any run.
template <class Runs>
BatchReport writeResultFile(SessionStart start, const ResultHeader& header, LiveBatch& live,
                            Runs runs) {
    BatchReport report;
    std::optional<BatchSession> session;
    try {
        session.emplace(std::move(start),
                        formatResultHeader(header.isi, header.shape, header.ntests));
    } catch (const FileError& error) {
        report.end = BatchEnd::OpenFailed;
        report.openFailure = error.what();
        report.openBusy = dynamic_cast<const FileBusy*>(&error) != nullptr;
        return report;
    }
    runSession(
        *session,
        [&] {
            runs(*session, report);
            return report.end == BatchEnd::Stopped ? EntryState::Stopped : EntryState::Complete;
        },
        [&](Provenance& entry) { live.describe(entry); });
    report.sums = session->sums();
    report.skippedSteps = session->skippedSteps();
    return report;
}

// Events, then the iteration's start, then events again; returns what the
// iteration reads, its run offering the events as it goes.
GeneratedReads startIteration(LiveBatch& live, int index, int total) {
    live.pumpEvents();
    live.iterationStarts(index, total);
    live.pumpEvents();
    GeneratedReads reads = live.reads();
    reads.values.events = &live;
    return reads;
}

// Writes the outcome's record; true when the batch ends there.
bool record(BatchSession& session, const IterationOutcome& outcome, LiveBatch& live,
            BatchReport& report) {
    session.record(outcome);
    if (!live.recorded(outcome)) return false;
    report.end = BatchEnd::Stopped;
    return true;
}

}  // namespace

BatchReport runGeneratedBatch(SimState& state, SessionStart start, const ResultHeader& header,
                              std::uint64_t seed, LiveBatch& live) {
    return writeResultFile(
        std::move(start), header, live, [&](BatchSession& session, BatchReport& report) {
            for (int i = 0;; ++i) {
                // The count is read again before every iteration.
                const int total = live.iterations();
                if (i >= total) break;
                const GeneratedReads reads = startIteration(live, i, total);
                Pcg31 source = iterationSource(seed, static_cast<std::uint64_t>(i));
                if (record(session, runReadIteration(state, reads, source, i), live, report)) break;
            }
        });
}

BatchReport runReplayBatch(SimState& state, SessionStart start, const ResultHeader& header,
                           const ReplaySource& source, LiveBatch& live) {
    return writeResultFile(
        std::move(start), header, live, [&](BatchSession& session, BatchReport& report) {
            const int total = static_cast<int>(source.lists.size());
            for (int i = 0; i < total; ++i) {
                const RunValues values = startIteration(live, i, total).values;
                const std::vector<int>& steps = source.lists[static_cast<std::size_t>(i)];
                if (record(session, runReplayIteration(state, steps, values, i), live, report))
                    break;
            }
        });
}

}  // namespace mirvok
