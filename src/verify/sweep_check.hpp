#pragma once

#include "sweep/sweep_folder.hpp"
#include "verify/file_check.hpp"
#include "verify/verify_tally.hpp"

namespace mirvok {

// Makes every point of the sweep in `folder` again whose results the folder
// holds (its row, its kept records) or whose row a summary holds, from the
// point's seed and values as sweep.json gives them, and compares: each row
// column by column, each kept record (as checkResultFile does), and every
// row of summary.csv and of each part summary. Reads the folder and nothing
// else. Throws Error when the folder holds no sweep or its sweep.json
// cannot be used, FileError when a file cannot be read.
void checkSweepFolder(const SweepFolder& folder, const CheckRun& run, VerifyTally& tally);

}  // namespace mirvok
