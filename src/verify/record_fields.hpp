#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvok {

// A record line cut into its fields as written: index, input spikes, CV,
// output spikes, q and score, each followed by a semicolon, then the input
// and the output list, each in double quotes and followed by a semicolon.
struct RecordFields {
    std::array<std::string_view, 6> numbers;
    std::string_view input;   // between its quotes
    std::string_view output;  // between its quotes
};

// The fields of a line (without its line end); nullopt when it is no such
// line.
std::optional<RecordFields> recordFields(std::string_view line);

// Which fields of a record are compared with the record made again.
enum class FieldSet {
    All,          // every byte
    AllButInput,  // all but the input list, which the record was made again from
    Results,      // input spikes, CV, output spikes, q, score and the output list
};

// One text per field in which the record `found` differs from `expected`
// ("q: found 0.51, expected 0.52", "output list: found 12 spikes, expected
// 13 (spike 5: found 240, expected 230)"), for the fields compared. A line
// that is no record, or one that differs only in its layout, differs as a
// whole. Both lines come without their line ends.
std::vector<std::string> fieldDifferences(std::string_view found, std::string_view expected,
                                          FieldSet fields);

// fieldDifferences of a record read from a file, whose line end was there or
// not (ended): with every field compared, a record equal but for its missing
// line end is "cut off before its line end". None when it does not differ.
std::vector<std::string> recordDifferences(std::string_view found, bool ended,
                                           std::string_view expected, FieldSet fields);

}  // namespace mirvok
