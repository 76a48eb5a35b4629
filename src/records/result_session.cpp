#include "records/result_session.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "base/errors.hpp"
#include "system/file_chunks.hpp"
#include "system/file_replace.hpp"
#include "text/number_format.hpp"

namespace mirvok {
namespace {

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The file the name leads to when it is a symbolic link: FILE.prev and the
// records moved aside go beside the file itself.
std::string followed(const std::string& name) {
    struct stat info {};
    return ::lstat(name.c_str(), &info) == 0 && S_ISLNK(info.st_mode) ? linkTarget(name) : name;
}

void moveOrThrow(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) throw FileError::couldNotWrite(to);
}

// A result file and its FILE.json under another name; a file without one
// moves alone.
void moveWithProvenance(const std::string& from, const std::string& to) {
    moveOrThrow(from, to);
    if (exists(from + ".json")) moveOrThrow(from + ".json", to + ".json");
}

void removeWithProvenance(const std::string& path) {
    ::unlink(path.c_str());
    ::unlink((path + ".json").c_str());
}

// Moves the file (and its FILE.json) to name, or to the first of name-2,
// name-3 ... that no file has, and returns the name it took. A hard link
// takes a name atomically; without hard links, a check and a rename.
std::string moveUnderFreeName(const std::string& from, const std::string& name) {
    for (int n = 1; n < 1000; ++n) {
        const std::string to = n == 1 ? name : beforeExtension(name, "-" + std::to_string(n));
        if (::link(from.c_str(), to.c_str()) == 0) {
            ::unlink(from.c_str());
        } else if (errno == EEXIST || exists(to)) {
            continue;
        } else {
            moveOrThrow(from, to);
        }
        if (exists(from + ".json")) moveOrThrow(from + ".json", to + ".json");
        return to;
    }
    throw FileError::couldNotWrite(name);
}

// The head of an entry list (provenanceListHead) whose last entry is of a
// batch killed while it ran, which a continuation from record `from` goes
// on with: that entry says from now on that it was interrupted, with the
// records it made. Any other head is returned as it is.
std::string withKilledEntryClosed(std::string head, long long from) {
    if (!head.ends_with(",\n")) return head;
    const std::size_t end = head.size() - 2;
    const std::size_t start = head.rfind('\n', end - 1) + 1;
    std::vector<Provenance> last;
    try {
        last = parseProvenance("[" + head.substr(start, end - start) + "]");
    } catch (const Error&) {
        return head;
    }
    if (last.size() != 1 || last.front().state != EntryState::Running) return head;
    const std::optional<long long> own = continuedFrom(last.front());
    if (!own || from < *own) return head;
    last.front().state = EntryState::Interrupted;
    last.front().runs = from - *own;
    head.resize(start);
    return head + provenanceEntry(last.front()) + ",\n";
}

std::string prevName(const std::string& path) {
    return path + ".prev";
}

}  // namespace

ResultSession::ResultSession(SessionStart start)
    : shown_(start.target.name),
      path_(followed(start.target.name)),
      mode_(start.target.mode),
      entry_(start.entry.value_or(Provenance{})),
      describe_(start.entry.has_value()) {
    if (start.previous == Previous::Kept && mode_ == ResultFileMode::Truncate) keepPrevious();
    try {
        file_.emplace(shown_, mode_);
        // The new file takes the permissions of the one it replaces.
        if (keptMode_ != 0) ::chmod(path_.c_str(), keptMode_);
        describes_ = describe_ && file_->regular();
        if (!describes_) return;
        const std::string json = provenancePath(path_);
        head_ = "[\n";
        if (mode_ != ResultFileMode::Truncate) {
            earlierJson_ = readWholeFile(json);
            head_ = provenanceListHead(json).value_or(head_);
        }
        const std::optional<long long> from = continuedFrom(entry_);
        if (mode_ == ResultFileMode::Continue && from) head_ = withKilledEntryClosed(head_, *from);
        entry_.state = EntryState::Running;
        entry_.atByte = file_->size();
        entry_.started = std::chrono::system_clock::now();
        writeEntry();
    } catch (...) {
        // Nothing of this batch is in the file yet: as it was before.
        ended_ = true;
        file_.reset();
        if (!previous_.empty()) {
            if (describes_) removeWithProvenance(path_);
            putPreviousBack();
        } else if (describes_ && mode_ != ResultFileMode::Truncate) {
            restoreEarlierJson();
        }
        throw;
    }
}

ResultSession::~ResultSession() {
    (void)failed();
}

void ResultSession::keepPrevious() {
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    if (info.st_size == 0 && !exists(path_ + ".json")) return;  // nothing to keep
    // No other Mirvok process writes the file while it is moved.
    previousLock_ = std::make_unique<HeldLock>(path_, shown_, false);
    previous_ = prevName(path_);
    // A FILE.prev already there is the last whole file before an unfinished
    // batch, which FILE holds: the one to put back, while that batch's
    // records step aside until this batch ends.
    if (exists(previous_))
        movedAside_ = moveUnderFreeName(path_, beforeExtension(path_, ".partial"));
    else
        moveWithProvenance(path_, previous_);
    keptMode_ = info.st_mode & 07777;
}

void ResultSession::putPreviousBack() noexcept {
    try {
        moveWithProvenance(movedAside_.empty() ? previous_ : movedAside_, path_);
    } catch (const Error&) {
        // The kept file stays under its own name, which the user is told.
    }
}

void ResultSession::restoreEarlierJson() noexcept {
    const std::string json = provenancePath(path_);
    try {
        if (!earlierJson_) {
            ::unlink(json.c_str());
            return;
        }
        FileBeside file(json);
        file.write(*earlierJson_);
        file.place();
    } catch (const Error&) {
    }
}

void ResultSession::writeEntry() {
    if (!describes_) return;
    entry_.runs = records_;
    entry_.ended = std::chrono::system_clock::now();
    // Beside and renamed: a reader finds the whole list before or after.
    FileBeside file(provenancePath(path_));
    file.write(provenanceList(head_, entry_));
    file.place();
}

void ResultSession::writeHeader(std::string_view header) {
    file_->write(header);
    headerWritten_ = true;
}

void ResultSession::writeRecords(std::string_view lines, int count) {
    const std::uint64_t before = file_->size();
    try {
        file_->write(lines);
    } catch (...) {
        // The file was cut back to its last line end: what is left of these
        // lines is whole records.
        const std::size_t kept =
            std::min<std::size_t>(lines.size(), static_cast<std::size_t>(file_->size() - before));
        records_ += static_cast<int>(std::count(lines.begin(), lines.begin() + kept, '\n'));
        throw;
    }
    records_ += count;
}

void ResultSession::end(EntryState state) {
    file_->close();
    entry_.state = state;
    writeEntry();
    ended_ = true;
    if (state == EntryState::Interrupted) return;
    // The batch is whole: the file it replaced is no longer needed. A
    // continuation that completes the batch in FILE ends what FILE.prev was kept for.
    if (previous_.empty() && mode_ == ResultFileMode::Continue && exists(prevName(path_)))
        previous_ = prevName(path_);
    if (!movedAside_.empty()) removeWithProvenance(movedAside_);
    if (!previous_.empty()) removeWithProvenance(previous_);
}

std::string ResultSession::failed() noexcept {
    if (ended_) return "";
    ended_ = true;
    try {
        file_->close();
    } catch (const Error&) {
    }
    entry_.state = EntryState::Failed;
    if (!previous_.empty()) return restorePrevious();
    try {
        // A batch that left no line in a file it added to leaves no entry.
        if (!headerWritten_ && records_ == 0 && mode_ != ResultFileMode::Truncate)
            restoreEarlierJson();
        else
            writeEntry();
    } catch (const Error&) {
    }
    return "";
}

std::string ResultSession::restorePrevious() noexcept {
    std::string aside;
    try {
        writeEntry();
        if (records_ > 0)
            aside = moveUnderFreeName(path_, beforeExtension(path_, ".partial"));
        else
            removeWithProvenance(path_);
    } catch (const Error&) {
        // The records made stay in the file, the one it replaced beside it.
        return previous_ + " keeps the file " + shown_ + " was";
    }
    putPreviousBack();
    std::string note = shown_ + " stays as it was";
    if (!aside.empty())
        note += ", the " + counted(records_, "record") + " made " + (records_ == 1 ? "is" : "are") +
                " in " + aside;
    return note;
}

}  // namespace mirvok
