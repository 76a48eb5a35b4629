#pragma once

#include <cstddef>
#include <string_view>

namespace mirvok {

// Reads, from pos on, optional white space (line breaks included), an
// optional sign and decimal digits, as the spike-list readers take a step
// index. Values beyond the range of long long are held at its limit: they
// lie outside any run and are skipped there. Returns false, leaving pos and
// value alone, when no digit follows.
bool scanInteger(std::string_view text, std::size_t& pos, long long& value);

}  // namespace mirvok
