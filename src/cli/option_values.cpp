#include "cli/option_values.hpp"

#include "base/errors.hpp"
#include "cli/option_error.hpp"
#include "text/number_parse.hpp"

namespace mirvok::cli {

int intOption(std::string_view option, std::string_view text) {
    try {
        return StrToInt(text);
    } catch (const Error& e) {
        throw optionError(option, e.what());
    }
}

}  // namespace mirvok::cli
