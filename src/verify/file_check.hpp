#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "verify/batch_makings.hpp"
#include "verify/file_sections.hpp"
#include "verify/verify_tally.hpp"

namespace mirvok {

// How a check runs: on `threads` workers (workersFor), within the memory
// available (nullopt: not checked), telling its progress in runs made of
// all (may be empty) and asking whether to stop between blocks of records
// (may be empty).
struct CheckRun {
    int threads = 1;
    std::optional<std::uint64_t> availableBytes;
    std::function<void(long long done, long long total)> progress;
    std::function<bool()> stop;
};

// Makes every record of the result file at path again as `makings` say,
// one per section, and compares it with the file's line, in file order
// whatever thread made it: each record that differs, each header that says
// other values than its batch's, each line beyond the records a batch made
// and each record missing goes into the tally, with a line for each field
// that differs. A record whose run read a value edited while it ran is
// listed as inexact, not compared. Reads the file and nothing else. Throws
// FileError when the file cannot be read, InputError when the runs would
// not fit in memory.
void checkResultFile(const std::string& path, const std::vector<FileSection>& sections,
                     const std::vector<BatchMaking>& makings, const CheckRun& run,
                     VerifyTally& tally);

}  // namespace mirvok
