#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/provenance.hpp"
#include "records/result_file_reader.hpp"
#include "values/batch_setup.hpp"
#include "verify/file_sections.hpp"
#include "verify/record_fields.hpp"
#include "verify/verify_tally.hpp"

namespace mirvok {

// Where the records of a batch are made again from.
enum class MadeFrom {
    Seed,         // its seed and values: the records are compared byte for byte
    Source,       // the file it replayed, unchanged since: byte for byte
    OwnInputs,    // a replay whose source is not there as it was: each record's own
                  // input list with the values FILE.json gives, all but that list compared
    GivenValues,  // a batch FILE.json does not describe: each record's input list with
                  // the values given, its input spikes to score and output list compared
};

// The values (and seed) from record `from` of a batch on.
struct ValueSpan {
    int from = 0;
    std::shared_ptr<const BatchSetup> setup;
    std::uint64_t seed = 0;
};

// What a batch's header must say; a value not known is not checked. A
// header recorded whole (the window's) is compared whole.
struct HeaderCheck {
    std::optional<double> isi;
    std::optional<double> shape;
    std::optional<int> iterations;
    std::optional<std::string> line;  // without its line end
};

// How one batch of a result file (a section) is made again.
struct BatchMaking {
    MadeFrom from = MadeFrom::GivenValues;
    HeaderCheck header;
    // The records the batch made; nullopt: every line the section holds.
    std::optional<long long> records;
    std::vector<ValueSpan> spans;  // by `from`, the first from 0
    // Records whose run read a value edited while it ran, with the values' names.
    std::map<long long, std::vector<std::string>> inexact;
    std::shared_ptr<const ReplaySource> source;  // MadeFrom::Source

    FieldSet fields() const;
    const ValueSpan& spanOf(long long record) const;
};

// What a check needs besides the file: the batch of the values given, for
// batches FILE.json does not describe.
struct MakingInputs {
    std::shared_ptr<const BatchSetup> given;
};

// How each section of the result file at path was made, by its provenance
// (nullopt: none). The entries, a batch and the entries continuing it
// (--continue) taken together, describe the last sections of the file; a
// window batch's values as its edits changed them from run to run. Notes in
// the tally say which sections were made again otherwise; a file that holds
// fewer batches than its provenance describes differs. Throws Error naming
// the provenance file, the entry and the value it cannot use.
std::vector<BatchMaking> batchMakings(const std::string& path,
                                      const std::vector<FileSection>& sections,
                                      const std::optional<std::vector<Provenance>>& entries,
                                      const MakingInputs& inputs, VerifyTally& tally);

}  // namespace mirvok
