#pragma once

#include <functional>
#include <optional>
#include <string>

#include "base/errors.hpp"
#include "values/batch_setup.hpp"
#include "values/value_table.hpp"

namespace mirvok {

// A refused value under its option name and the Python keyword spelled from
// it: the same name on the command line, in Python and in FILE.json.
ValueError refusedValue(const std::string& option, const std::string& reason);

// The batch setup from the table's rows, in table order: each row takes the
// number given(row) returns (none: its default stays), then what follows from
// it is derived, so that a run too long for the machine's memory is refused
// before any later value is read. Whatever given or the derivation throws is
// refused under the row's names. Every front end builds its setup here, so
// that they check the values in one order with one message each.
BatchSetup setupFromRows(const std::function<std::optional<double>(const ValueRow&)>& given);

}  // namespace mirvok
