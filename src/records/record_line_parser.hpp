#pragma once

#include <string_view>
#include <vector>

namespace mirvok {

// What one line of a result file holds for a replay.
struct RecordLine {
    enum class Kind {
        Record,   // a record whose output list is closed by its double quote
        Other,    // an empty line or a further "NEW;" header: nothing to replay
        Damaged,  // any other line: a record cut off (a full disk, a killed
                  // writer) or text that is no record
    };
    Kind kind = Kind::Other;
    std::vector<int> outputList;  // the steps of a Record
    // A Record whose output list holds text that is no step ("1e10", "39;78"):
    // its list is the steps read up to that text.
    bool outputPartial = false;
    // A Record's text before its output list: the six numbers and the input list.
    std::string_view before;
};

// Reads one result-file line. A record's output list starts just after the
// first `";"` and is replayable only when a double quote closes it: a line
// cut inside the list would otherwise pass a half-written number as a
// spike. Each entry is optional white space, an optional sign and decimal
// digits; reading then moves just past the next comma before the closing
// quote. The list ends at the first place where no integer can be read, or
// after a number that no comma follows. A blank before a comma is allowed;
// a trailing CR is harmless; lines may be of any length. Numbers beyond the
// range of int are held at its limit (they lie outside any run).
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
