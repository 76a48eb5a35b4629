#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "text/json_fwd.hpp"

namespace mirvok {

// The value on one line, without a line end. Doubles come out as the
// shortest text that reads back to the same value, non-finite ones as null;
// bytes of a text that are no UTF-8 (a file name) as U+FFFD, so the line is
// always valid JSON.
std::string jsonLine(const Json& value);

// An object with each member on a line of its own, the member's value on
// that line (jsonLine), followed by a line end: for files people read and
// diff.
std::string jsonMemberLines(const Json& object);

// The JSON value of the text (blanks around it allowed), or nullopt when the
// text is no JSON, holds a number beyond the range of a double, or nests
// lists and objects deeper than any file of this program does (reading,
// comparing and writing a value go down its levels on the stack).
std::optional<Json> parseJson(std::string_view text);

}  // namespace mirvok
