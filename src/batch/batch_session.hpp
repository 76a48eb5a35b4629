#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "batch/batch_iteration.hpp"
#include "batch/batch_summary.hpp"
#include "records/result_session.hpp"

namespace mirvok {

// A batch's result file as the batch goes, for the window's loop and the
// command line's ordered runner alike: the writer session (header, records,
// provenance), the sums of the runs recorded and the steps a replay passed
// over.
class BatchSession {
  public:
    // Opens the result file, whose header (none when empty: a continued
    // batch) runSession writes first. Throws FileError, FileBusy before
    // anything changes.
    BatchSession(SessionStart start, std::string header);
    void writeHeader();

    // The outcomes' records, in one write, and their values added to the sums.
    void record(std::span<const IterationOutcome> outcomes);
    void record(const IterationOutcome& outcome) { record(std::span(&outcome, 1)); }

    const BatchSums& sums() const { return sums_; }
    std::size_t skippedSteps() const { return skippedSteps_; }
    ResultSession& file() { return file_; }

  private:
    ResultSession file_;
    std::string header_;
    BatchSums sums_;
    std::size_t skippedSteps_ = 0;
    std::string lines_;
};

// An error that ended a batch after its file was put back as it was: the
// error itself and what became of the records made ("out.csv stays as it
// was, the 2 records made are in out.partial.csv"), which a front end says
// after the error.
class RecordsKeptAside : public std::exception {
  public:
    RecordsKeptAside(std::exception_ptr error, std::string note)
        : error_(std::move(error)), note_(std::move(note)) {}
    const std::exception_ptr& error() const { return error_; }
    const char* what() const noexcept override { return note_.c_str(); }

  private:
    std::exception_ptr error_;
    std::string note_;
};

// Writes the session's header, runs body over the session and ends it as body returns (Complete,
// Stopped or Interrupted). describe (may be empty) adds the caller's last words to the entry before
// it is written, however the batch ends. An Interruption (a closed window) ends it interrupted and
// goes on; any other exception ends it failed and goes on, as RecordsKeptAside when the file it
// replaced was put back.
void runSession(BatchSession& session, const std::function<EntryState()>& body,
                const std::function<void(Provenance&)>& describe = {});

}  // namespace mirvok
