#pragma once

#include <string>
#include <string_view>

#include "batch/batch_setup.hpp"
#include "cli/option_texts.hpp"

namespace mirvok::cli {

// The option texts of every value a generated batch reads.
struct BatchTexts {
    ModelTexts model;
    AnalysisTexts analysis;
    GeneratorTexts generator;
};

// The text of the number option `name`, one of batchValueNames().
std::string& valueText(BatchTexts& texts, std::string_view name);

// The texts converted and checked as `batch` converts them, in the order of
// its options, so both refuse the same values with the same message. Throws
// OptionError.
BatchSetup toBatchSetup(const BatchTexts& texts);

}  // namespace mirvok::cli
