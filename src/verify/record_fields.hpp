#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mirvok {

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
