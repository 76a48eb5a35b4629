#pragma once

#include <string_view>
#include <vector>

#include "records/record_tokens.hpp"

namespace mirvok {

// What one line of a result file holds for a replay.
struct RecordLine {
    using Kind = RecordKind;
    Kind kind = Kind::Other;
    std::vector<int> outputList;  // the steps of a Record
    // A Record whose output list holds text that is no step ("1e10", "39;78"):
    // its list is the steps read up to that text.
    bool outputPartial = false;
};

// A result-file line as a replay reads it (tokenizeRecord): a Record's
// output list, whose entries are each optional white space, an optional
// sign and decimal digits; reading then moves just past the next comma
// before the closing quote. The list ends at the first place where no
// integer can be read, or after a number that no comma follows. A blank
// before a comma is allowed; a trailing CR is harmless; lines may be of any
// length. Numbers beyond the range of int are held at its limit (they lie
// outside any run).
RecordLine parseRecordLine(std::string_view line);

// The steps of a list's text between its double quotes, read as above, and
// whether the text held nothing else: every entry a step followed by white
// space and a comma (the last one's comma optional), and white space around
// them.
struct StepList {
    std::vector<int> steps;
    bool whole = true;
};
StepList parseStepList(std::string_view list);

}  // namespace mirvok
