#pragma once

#include <string>

namespace mirvok {

// The shortest text that reads back as the same double, with a full stop and
// in exponent form where that is shorter ("0.1", "2500", "1e-05", "1e+05"):
// the numbers of sweep summaries. "null" for a value that is not finite.
std::string shortestNumber(double value);

}  // namespace mirvok
