#pragma once

#include <string>

#include "records/provenance.hpp"
#include "sweep/sweep_folder.hpp"
#include "verify/verify_tally.hpp"

namespace mirvok {

// What the provenance of a file of a sweep's folder must say, member by
// member; a member not set is not compared.
struct ExpectedEntry {
    Provenance entry;            // command, values, seed, iterations, runs
    Json more = Json::object();  // the members of its own it must hold
};

// The entry of a point's kept records (points/p-N.csv.json): as the sweep
// made the point.
ExpectedEntry pointEntry(const SweepDescription& d, int point, std::uint64_t seed,
                         const Json& values);
// The entry of a part's summary (summary.csv's when whole), as the sweep or
// a join wrote it: the sweep's values, seed, runs and fingerprint.
ExpectedEntry summaryEntry(const SweepDescription& d, const SweepPart& part);

// Compares the last entry of FILE.json with `expected`: one difference per
// member that differs ("<FILE.json>: seed: found 3, expected 7"); a FILE.json
// that cannot be read differs as a whole. One that is not there is listed as
// not checked.
void checkEntry(VerifyTally& tally, const std::string& file, const ExpectedEntry& expected);

}  // namespace mirvok
