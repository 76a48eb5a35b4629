#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mirvok {

// The trains a replay runs: the output lists of the records of a result
// file, in file order, as steps without their text.
struct ReplaySource {
    std::vector<std::vector<int>> lists;
    std::size_t damagedRecords = 0;  // lines passed over as damaged
    // Records whose output list holds text that is no step: each replays
    // the steps read up to that text.
    std::size_t partialRecords = 0;
    // The SHA-256 of the file as read (hex), so that the replay's record of
    // its source can tell whether the source changed since.
    std::string sha256;
};

// Reads a result file whole before any result file is opened, so that a
// replay whose result file is the file it reads loses nothing, yet keeps
// only the parsed lists: the file is read line by line and a list takes
// less room than its text. The first line (a header) is discarded; every
// further line is read as parseRecordLine says: records give their lists,
// empty lines and further headers nothing, damaged lines are counted. A
// last line without a line end counts. Returns nullopt when no file of that
// name exists; throws FileError "Could not read the file <path>" when it
// exists but cannot be read (a directory, no permission).
// budget, when given, is called as the file is read with the bytes its
// lists and the line being read hold, and the longest list so far: it
// throws to refuse a source that would not fit before it is read whole.
using SourceBudget = std::function<void(std::uint64_t heldBytes, std::size_t longestList)>;
std::optional<ReplaySource> readReplaySource(const std::string& path,
                                             const SourceBudget& budget = {});

// "N damaged records were skipped".
std::string damagedRecordsMessage(std::size_t count);
// "N records hold text in their output list that is no step: each was
// replayed up to it".
std::string partialRecordsMessage(std::size_t count);
// "<path> holds no record to replay".
std::string noRecordsMessage(const std::string& path);

}  // namespace mirvok
