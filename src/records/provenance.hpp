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

// How one batch made (or added to) a result file: an entry of FILE.json
// beside the file.
struct Provenance {
    std::string program;            // "mirvok-cli", "mirvok"
    std::string version{kVersion};  // of the Mirvok that made it
    std::string command;            // "batch", "replay", "sweep", "join"
    Json values = Json::object();   // every value used (batchValuesJson)
    std::optional<std::uint64_t> seed;
    std::optional<std::string> source;              // the result file a replay read
    long long iterations = 0;                       // asked for
    long long runs = 0;                             // made: the records written
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
// then the caller's own members. A source name that is no UTF-8 is written
// with U+FFFD for its stray bytes, followed by "source_bytes", the name's
// exact bytes in hex, from which it is read back.
std::string provenanceEntry(const Provenance& provenance);

// The entries of the text of a FILE.json, oldest first. Throws Error when
// the text is not a JSON list of entries as provenanceEntry writes them
// (members in any order; the caller's own ones land in `more`), naming the
// first entry and member that is not.
std::vector<Provenance> parseProvenance(std::string_view text);

// "<resultFile>.json".
std::string provenancePath(const std::string& resultFile);

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
