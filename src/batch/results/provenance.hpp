#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "text/json_writer.hpp"

namespace mirvok {

// How one batch made (or added to) a result file: what FILE.json beside the
// file says about it.
struct Provenance {
    std::string program;  // "mirvok-cli", "mirvok"
    std::string command;  // "batch", "replay", "sweep"
    std::string values;   // a JSON object of every value used (batchValuesJson)
    std::optional<std::uint64_t> seed;
    std::optional<std::string> source;  // the result file a replay read
    long long iterations = 0;           // asked for
    long long runs = 0;                 // made: the records written
    std::chrono::system_clock::time_point started;
    std::chrono::system_clock::time_point ended;
    JsonObjectWriter more;  // members of the caller's own, written last
};

// An entry of this program for this command with these values; the rest
// is filled in as the batch goes.
Provenance provenanceOf(std::string program, std::string command, std::string values);

// The entry as one line of JSON: program, Mirvok's version, command, start
// and end (UTC, "2024-05-01T12:00:00Z"), values, seed, source, iterations,
// runs, then the caller's own members.
std::string provenanceEntry(const Provenance& provenance);

// "<resultFile>.json".
std::string provenancePath(const std::string& resultFile);

// A batch that replaced its result file replaces the provenance; one that
// appended to it appends its entry.
enum class ProvenanceMode { Replace, Append };

// Writes FILE.json beside a regular result file, beside and renamed into
// place: a JSON list of entries, one per line, the newest last. Append adds
// the entry to the list already there; a file that is not such a list (none,
// or one Mirvok did not write) is replaced by a list of the new entry. A
// result file that is no regular file (standard output, a pipe, a device)
// gets none. Throws FileError naming FILE.json.
void recordProvenance(const std::string& resultFile, const Provenance& provenance,
                      ProvenanceMode mode);

}  // namespace mirvok
