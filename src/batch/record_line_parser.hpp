#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace mirvok {

// The output list of one result-file record line, or nullopt when the line
// holds no output list (no `";"` in it: a further "NEW;" header, an empty
// line). The list starts just after the first `";"`. Each entry is optional
// white space, an optional sign and decimal digits; reading then moves just
// past the next comma in the rest of the line. The list ends at the first
// place where no integer can be read (the closing double quote of a written
// record), or after a number that no comma follows. A blank before a comma
// is allowed; a trailing CR is harmless; lines may be of any length. Numbers
// beyond the range of long long are clamped to it (they lie outside any run).
std::optional<std::vector<long long>> parseRecordOutputList(std::string_view line);

}  // namespace mirvok
