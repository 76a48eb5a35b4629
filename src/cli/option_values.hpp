#pragma once

#include <string_view>

namespace mirvok::cli {

// An integer option of the tool's own (--iterations, --part) converted with
// the window's rules; throws OptionError naming the option and the
// conversion's message. The value table's options are the core's to convert.
int intOption(std::string_view option, std::string_view text);

}  // namespace mirvok::cli
