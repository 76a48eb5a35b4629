#pragma once

#include <optional>
#include <string_view>

#include "text/json.hpp"
#include "values/value_table.hpp"

namespace mirvok {

// Whether a file whose record names `version` ("6.1") was made before the
// row's value was listed; nullopt: a file that does not say, made before
// every value it leaves out. Versions compare number by number.
bool madeBefore(const ValueRow& row, std::optional<std::string_view> version);

// The values of a file made by `version` (as madeBefore takes it), each value
// added after it that it does not list given its value before, so that what
// the file holds is made again as it was made. Others are left as they are;
// the table's values come first, in table order, then the rest as they came.
Json withValuesBefore(const Json& values, std::optional<std::string_view> version);

}  // namespace mirvok
