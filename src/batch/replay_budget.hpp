#pragma once

#include <cstdint>
#include <string>

#include "records/result_file_reader.hpp"

namespace mirvok {

// The budget a replay's source is read within (readReplaySource): the lists
// read so far, or the line being read, with one worker's run of the longest
// list in runs of `steps`, must fit in availableBytes. Refuses as soon as
// they do not, before the rest of the source is read, with InputError
// "Reading <path> needs more than N MB of memory, M MB are available".
SourceBudget replaySourceBudget(const std::string& path, int steps, std::uint64_t availableBytes);

}  // namespace mirvok
