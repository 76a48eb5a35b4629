#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "records/provenance.hpp"
#include "records/result_file.hpp"
#include "system/file_lock.hpp"

namespace mirvok {

// How a writer treats the file it replaces.
enum class Previous {
    Dropped,  // emptied when the file is opened (the window with "del" ticked)
    Kept,     // kept as FILE.prev, with its FILE.prev.json, until the batch is complete
};

// Where a batch writes and what its provenance entry says from the start.
struct SessionStart {
    ResultTarget target;
    Previous previous = Previous::Dropped;  // Truncate only
    // The entry as the batch starts: program, command, values, seed,
    // iterations, and "continued_from" for a continuation. None: no FILE.json
    // (a test's or a benchmark's file).
    std::optional<Provenance> entry;
};

// One batch writing a result file and keeping its FILE.json true at every
// moment, for every front end that writes one. Opening locks the file (a
// file another process writes throws FileBusy before anything changes),
// keeps the file it replaces as FILE.prev when asked, and writes the
// batch's entry, marked running, with the byte its lines start at; only then
// does anything reach the result file. The entry is rewritten when the
// batch ends: its runs are the whole records the file holds of it, however
// it ended. A kill leaves the entry running, which readers take as "count
// the file's records".
class ResultSession {
  public:
    explicit ResultSession(SessionStart start);
    // Ends as failed() when neither ended nor failed.
    ~ResultSession();
    ResultSession(const ResultSession&) = delete;
    ResultSession& operator=(const ResultSession&) = delete;

    // The header line, a line of no record.
    void writeHeader(std::string_view header);
    // count whole record lines; a write that fails leaves (and counts) those
    // that reached the file whole, and throws FileError.
    void writeRecords(std::string_view lines, int count);
    int records() const { return records_; }
    bool lockRefused() const { return file_->lockRefused(); }
    const std::string& name() const { return shown_; }
    // The entry, for what the caller adds as the batch goes (the window's
    // edits); an empty one when the file gets none.
    Provenance& entry() { return entry_; }

    // Ends the batch as Complete, Stopped or Interrupted: closes the file
    // and records the entry. A complete or stopped batch no longer needs
    // the file it replaced: FILE.prev goes. Throws FileError.
    void end(EntryState state);
    // Ends the batch after an error, which the caller goes on to report.
    // Where FILE.prev was kept, it is put back, and the records made are
    // kept beside it under a free name; returns what became of them, for
    // the user ("" when nothing needs saying). Never throws.
    std::string failed() noexcept;
    // Where FILE.prev keeps the file this batch replaces; "" when none.
    const std::string& previousName() const { return previous_; }

  private:
    void keepPrevious();
    void putPreviousBack() noexcept;
    void restoreEarlierJson() noexcept;
    void writeEntry();
    std::string restorePrevious() noexcept;

    std::string shown_;  // the name the user gave
    std::string path_;   // the file it leads to
    ResultFileMode mode_;
    std::unique_ptr<HeldLock> previousLock_;  // on the file kept as FILE.prev
    std::string previous_;                    // FILE.prev, when kept
    std::string movedAside_;                  // an unfinished batch's file moved out of the way
    mode_t keptMode_ = 0;                     // the permissions of the file kept
    std::optional<ResultFile> file_;
    Provenance entry_;
    bool describe_ = false;                   // the caller wants FILE.json
    std::optional<std::string> earlierJson_;  // FILE.json before this batch, when appending
    std::string head_;                        // the entries before this batch's
    bool describes_ = false;                  // FILE.json is written for this file
    bool headerWritten_ = false;
    int records_ = 0;
    bool ended_ = false;
};

}  // namespace mirvok
