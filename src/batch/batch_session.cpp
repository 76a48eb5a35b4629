#include "batch/batch_session.hpp"

#include "base/errors.hpp"

namespace mirvok {

BatchSession::BatchSession(SessionStart start, std::string header)
    : file_(std::move(start)), header_(std::move(header)) {}

void BatchSession::writeHeader() {
    if (!header_.empty()) file_.writeHeader(header_);
}

void BatchSession::record(std::span<const IterationOutcome> outcomes) {
    for (const IterationOutcome& o : outcomes) {
        sums_.add(o.results.analysisResult, o.results.localScoreMean);
        skippedSteps_ += o.skippedSteps;
    }
    // A long run's record, alone, is written as it is rather than copied.
    if (outcomes.size() == 1) {
        file_.writeRecords(outcomes.front().record, 1);
        return;
    }
    std::size_t bytes = 0;
    for (const IterationOutcome& o : outcomes) bytes += o.record.size();
    lines_.clear();
    lines_.reserve(bytes);
    for (const IterationOutcome& o : outcomes) lines_ += o.record;
    file_.writeRecords(lines_, static_cast<int>(outcomes.size()));
}

void runSession(BatchSession& session, const std::function<EntryState()>& body,
                const std::function<void(Provenance&)>& describe) {
    const auto lastWords = [&] {
        if (describe) describe(session.file().entry());
    };
    EntryState state = EntryState::Complete;
    try {
        session.writeHeader();
        state = body();
        lastWords();
    } catch (const Interruption&) {
        lastWords();
        session.file().end(EntryState::Interrupted);
        throw;
    } catch (...) {
        try {
            lastWords();
        } catch (...) {
        }
        const std::string note = session.file().failed();
        if (!note.empty()) throw RecordsKeptAside(std::current_exception(), note);
        throw;
    }
    try {
        session.file().end(state);
    } catch (...) {
        const std::string note = session.file().failed();
        if (!note.empty()) throw RecordsKeptAside(std::current_exception(), note);
        throw;
    }
}

}  // namespace mirvok
