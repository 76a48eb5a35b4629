#pragma once

#include <string>

#include "values/value_texts.hpp"
#include "verify/batch_makings.hpp"
#include "verify/file_check.hpp"
#include "verify/verify_tally.hpp"

namespace mirvok {

// What a check is given besides the path: the values for batches that no
// FILE.json describes (a value not given takes its default), and how it
// runs.
struct VerifySettings {
    NamedTexts givenValues;
    CheckRun run;
};

// Checks what path names against how it was made: a result file against
// its FILE.json (checkResultFile over batchMakings), a sweep's folder, or
// the folder of a sweep.json, against its sweep (checkSweepFolder). Reads
// and writes no other file and touches no state of the caller's. Throws
// ValueError for a value given that the core refuses, before anything is
// read; FileError when something cannot be read; Error when a provenance or
// sweep.json cannot be used, InputError when the runs would not fit in
// memory.
VerifyReport verifyPath(const std::string& path, const VerifySettings& settings);

}  // namespace mirvok
