#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvok {

// One record of a result file as values: the numbers as the record wrote
// them (cv, q and score rounded to two decimals) and both trains.
struct RecordValues {
    int index = 0;
    int inSpikes = 0;
    double cv = 0.0;
    int outSpikes = 0;
    double q = 0.0;
    double score = 0.0;
    std::vector<int> inSteps;
    std::vector<int> outSteps;
};

// A header line and the records after it, up to the next header. A header
// value that cannot be read is NaN (isi, shape) or -1 (iterations), as are
// those of records that come before any header.
struct ResultSection {
    double isi = 0.0;
    double shape = 0.0;
    int iterations = -1;
    std::vector<RecordValues> records;
    std::size_t damagedRecords = 0;  // lines of the section that are no whole record
};

// "NEW;isi: <isi>; shape: <shape>; #: <n>": a section of its own, with the
// values that can be read; nullopt for a line that is no header.
std::optional<ResultSection> parseResultHeader(std::string_view line);

// A record line: six numbers, each followed by a semicolon, and the two
// lists in double quotes, the output list closed by its quote as a replay
// requires it (parseRecordLine); nullopt for any other line.
std::optional<RecordValues> parseRecordValues(std::string_view line);

// Every section of a result file, in file order; empty lines are passed
// over, other lines that are neither header nor record counted as damaged.
// nullopt when no file of that name exists; FileError when it cannot be
// read.
std::optional<std::vector<ResultSection>> readResultSections(const std::string& path);

}  // namespace mirvok
