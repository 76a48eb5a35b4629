#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "analysis/analysis_params.hpp"
#include "cli/option_texts.hpp"
#include "model/rates.hpp"
#include "model/reset.hpp"

namespace mirvok::cli {

// Conversions of option texts with the window's rules and the full stop.
// Each throws OptionError naming the option and the conversion's message.
int intOption(std::string_view option, std::string_view text);
double doubleOption(std::string_view option, std::string_view text);

// A run length the core accepts, in ms; refused lengths throw OptionError.
int runLengthOption(std::string_view text);

struct ModelValues {
    FixedResetValues reset;
    FixedRates rates;
};

// Every model value converted, the run length checked by the core, before
// anything is read or written.
ModelValues toModelValues(const ModelTexts& texts);
FixedAnalysisParams toAnalysisParams(const AnalysisTexts& texts);

// --seed: a non-negative 32-bit integer, or the clock when not given.
std::uint64_t seedOption(const std::optional<std::string>& text);

// --threads: at least 1; the CPUs this process may use when not given.
int threadsOption(const std::optional<std::string>& text);

}  // namespace mirvok::cli
