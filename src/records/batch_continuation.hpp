#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "records/provenance.hpp"

namespace mirvok {

// The last batch of a result file, as far as it got: what a batch needs to
// go on with it in place after an interruption.
struct LastBatch {
    std::string header;      // its "NEW;" line with its line end; empty: the file holds none
    int records = 0;         // whole records after it, indexed 0, 1, ... in order
    std::string lastRecord;  // the last of them with its line end
    // 0, or the number (from 1) of the first whole line after the header
    // that is not the batch's next record: such a file is no interrupted
    // batch and cannot be continued. A last line cut off without its line
    // end is no such line; continuing cuts it off.
    int strayLine = 0;
};

// Reads the result file at path line by line, keeping only its last batch.
// Returns nullopt when no file of that name exists; throws FileError "Could
// not read the file <path>" when it exists but cannot be read.
std::optional<LastBatch> readLastBatch(const std::string& path);

// The iteration from which a batch that writes `header` and makes
// `iterations` runs goes on in the file whose last batch is `last` (the
// number of its whole records). Throws InputError, naming the file, when
// that batch is not this one: no header, another header, a stray line, or
// more records than runs.
int continuationIndex(const LastBatch& last, const std::string& header, int iterations,
                      const std::string& fileName);

// Throws InputError unless the file's last record is `recomputed`, the
// record this batch makes at that index: a batch with another seed or other
// model values writes the same header but other records.
void checkLastRecord(const LastBatch& last, const std::string& recomputed,
                     const std::string& fileName);

// The provenance entry of the file's last batch: the last entry of its
// FILE.json that describes lines of the file, when that is a batch's (it
// has a seed). Its runs are not read (the file's records are what count),
// except in an entry of an earlier version, written once its batch ended,
// which must count the batch's whole records (after the runs it continued
// from). nullopt otherwise: no FILE.json, one that is no list of entries,
// or such an entry of an earlier batch left by one killed before it could record.
std::optional<Provenance> lastBatchProvenance(const std::string& fileName, const LastBatch& last);

// Throws InputError naming the seed or the first value (by its option name,
// "time") this batch, of these values (batchValuesJson) and this seed,
// does not share with the file's last batch as `made` records it.
void checkContinuedValues(const Provenance& made, const Json& values, std::uint64_t seed,
                          const std::string& fileName);

}  // namespace mirvok
