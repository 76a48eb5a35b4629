#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvok {

// One record of a result file as values: the numbers as the record wrote
// them (cv, q and score rounded to two decimals) and both trains. A field
// that cannot be read is -1 (the counts and the index) or NaN.
struct RecordValues {
    int index = -1;
    int inSpikes = -1;
    double cv = 0.0;
    int outSpikes = -1;
    double q = 0.0;
    double score = 0.0;
    std::vector<int> inSteps;
    std::vector<int> outSteps;
    // Something of the record could not be read: a number, or text in a list
    // that is no step (the list then holds the steps read up to it).
    bool partial = false;
    // Of those, its output list: a replay of it runs the steps read up to that text.
    bool outputPartial = false;
};

// A header line and the records after it, up to the next header. A header
// value that cannot be read is NaN (isi, shape) or -1 (iterations), as are
// those of records that come before any header.
struct ResultSection {
    double isi = 0.0;
    double shape = 0.0;
    int iterations = -1;
    std::vector<RecordValues> records;
    std::size_t damagedRecords = 0;  // lines of the section that are no record
    std::size_t partialRecords = 0;  // records read only in part
};

// "NEW;isi: <isi>; shape: <shape>; #: <n>": a section of its own, with the
// values that can be read; nullopt for a line that is no header.
std::optional<ResultSection> parseResultHeader(std::string_view line);

// A record line as tokenizeRecord reads it, its numbers and lists as
// values; nullopt for any other line. What of the record cannot be read is
// left unread and makes it partial.
std::optional<RecordValues> parseRecordValues(std::string_view line);

// Every section of a result file, in file order; empty lines are passed
// over, other lines that are neither header nor record counted as damaged
// as tokenizeRecord says
// (the lines a replay of the file passes over, and counts, too).
// nullopt when no file of that name exists; FileError when it cannot be
// read.
std::optional<std::vector<ResultSection>> readResultSections(const std::string& path);

}  // namespace mirvok
