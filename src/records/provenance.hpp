#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/json.hpp"
#include "version/version.hpp"

namespace mirvok {

// Where the batch an entry describes stands. An entry is written before the
// batch's first record and rewritten when it ends; entries of earlier
// versions were written at the end only and read as Complete.
enum class EntryState {
    Complete,     // every run asked for was made (or the window's batch ran to its count)
    Stopped,      // ended early by its user (Stop): its runs are all it made
    Running,      // still writing, or killed before it could say more
    Interrupted,  // ended by a signal or a closed window; --continue goes on with it
    Failed,       // ended by an error after the records it made
};

// "complete", "stopped", "running", "interrupted", "failed".
std::string_view stateName(EntryState state);

// How one batch made (or added to) a result file: an entry of FILE.json
// beside the file.
struct Provenance {
    std::string program;            // "mirvok-cli", "mirvok"
    std::string version{kVersion};  // of the Mirvok that made it
    std::string command;            // "batch", "replay", "sweep", "join"
    Json values = Json::object();   // every value used (batchValuesJson)
    std::optional<std::uint64_t> seed;
    std::optional<std::string> source;  // the result file a replay read
    long long iterations = 0;           // asked for
    long long runs = 0;                 // made: the records written
    EntryState state = EntryState::Complete;
    // The size of the result file when the batch began to write (after an
    // unfinished line a continuation cuts off): its header, or its first
    // record when it continues, starts there. Entries of earlier versions
    // have none.
    std::optional<std::uint64_t> atByte;
    std::chrono::system_clock::time_point started;  // to the second in the file
    std::chrono::system_clock::time_point ended;
    Json more = Json::object();  // members of the caller's own, written last

    bool operator==(const Provenance&) const = default;
};

// An entry of this program for this command with these values; the rest
// is filled in as the batch goes.
Provenance provenanceOf(std::string program, std::string command, Json values);

// The entry as one line of JSON: program, version, command, start and end
// (UTC, "2024-05-01T12:00:00Z"), values, seed, source, iterations, runs,
// "state" unless complete, "at_byte" when known, then the caller's own
// members. A source name that is no UTF-8 is written
// with U+FFFD for its stray bytes, followed by "source_bytes", the name's
// exact bytes in hex, from which it is read back.
std::string provenanceEntry(const Provenance& provenance);

// The entries of the text of a FILE.json, oldest first. Throws Error when
// the text is not a JSON list of entries as provenanceEntry writes them
// (members in any order; the caller's own ones land in `more`), naming the
// first entry and member that is not.
std::vector<Provenance> parseProvenance(std::string_view text);

// "<resultFile>.json", beside the file a symbolic link leads to: the
// provenance follows the records, whichever name they were written under.
std::string provenancePath(const std::string& resultFile);

// The runs the entry's batch had made before it began: its "continued_from"
// (a continuation goes on after the records already in the file), 0 for a
// batch that wrote its own header; nullopt when that member is no index.
std::optional<long long> continuedFrom(const Provenance& entry);

// Drops the last entries of a batch that wrote nothing into its result file
// of fileSize bytes (killed between its entry and its header): they describe
// no lines of it.
void dropEmptyEntries(std::vector<Provenance>& entries, std::uint64_t fileSize);

// The text of a list of provenance entries holding `head` (the text of the
// entries before, as provenanceListHead gives it) and entry after them.
std::string provenanceList(const std::string& head, const Provenance& entry);

// The entries of the list at path as the head of a longer one: its text
// up to its closing bracket, ready for one more entry ("[\n" for none).
// nullopt when there is no file there or it is no list of entries.
std::optional<std::string> provenanceListHead(const std::string& path);

// The entries of the provenance file at path (provenancePath); nullopt when
// there is none. Throws FileError when it cannot be read, and Error "<path>
// is not a list of provenance entries: <why>" when it is no such list.
std::optional<std::vector<Provenance>> readProvenance(const std::string& path);

// A batch that replaced its result file replaces the provenance; one that
// appended to it appends its entry.
enum class ProvenanceMode { Replace, Append };

// Writes FILE.json beside a regular result file, beside and renamed into
// place: a JSON list of entries, one per line, the newest last. Append adds
// the entry to the list already there, whose entries stay as they are
// written; a file that is not such a list (none, or one Mirvok did not
// write) is replaced by a list of the new entry. A result file that is no
// regular file (standard output, a pipe, a device) gets none. Throws
// FileError naming FILE.json.
void recordProvenance(const std::string& resultFile, const Provenance& provenance,
                      ProvenanceMode mode);

}  // namespace mirvok
