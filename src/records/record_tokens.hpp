#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "records/record_columns.hpp"

namespace mirvok {

// What a line of a result file is.
enum class RecordKind {
    Record,   // a record whose output list is closed by its double quote
    Other,    // a blank line or a further "NEW;" header: nothing to replay
    Damaged,  // any other line: a record cut off (a full disk, a killed
              // writer) or text that is no record
};

// A line of a result file cut into the fields of a record, as text.
struct RecordTokens {
    RecordKind kind = RecordKind::Other;
    // The six numbers, white space around them left out; one not there (no
    // semicolon ends it) and those after it are nullopt.
    std::array<std::optional<std::string_view>, kRecordNumbers> numbers;
    // The lists between their double quotes; the input list nullopt when
    // the text after the numbers is no quoted list.
    std::optional<std::string_view> input;
    std::string_view output;
    // The line is laid out as a record is written: every number followed by
    // its semicolon, the input list in quotes right after them, a semicolon,
    // the output list in quotes, a semicolon, and nothing after it.
    bool exact = false;
};

// The one reading of a record line, for every reader. A record's output
// list starts just after the first `";"` and counts only when a double
// quote closes it: a line cut inside the list would otherwise pass a
// half-written number as a spike. A blank line (spaces, tabs, a CR) and a
// line starting "NEW;" hold no record; any other line without a closed
// output list is damaged. The numbers and the input list are read from the
// text before the output list.
RecordTokens tokenizeRecord(std::string_view line);

}  // namespace mirvok
