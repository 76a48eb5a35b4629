#pragma once

#include <string>
#include <string_view>

#include "base/errors.hpp"

namespace mirvok::cli {

// An option whose value the tool refuses; the message names the option and
// gives the conversion's or the core's own reason. The tool exits with 2.
class OptionError : public Error {
  public:
    using Error::Error;
};

// "--gamma1: '0,009' is not a valid floating point value".
inline OptionError optionError(std::string_view option, std::string_view reason) {
    return OptionError(std::string(option) + ": " + std::string(reason));
}

}  // namespace mirvok::cli
