#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "values/value_texts.hpp"

namespace mirvok {

// What a `mirvok-cli batch` command line asks for, each value as the text
// its option reads (numbers with the full stop).
struct BatchCommand {
    std::string iterations = {};
    NamedTexts values = {};                  // by option name; one not given is left to its default
    std::vector<std::string> segments = {};  // "END:ISI:CV" each, in order
    std::optional<std::uint64_t> seed = {};  // none: the command takes one from the clock
    bool quantify = false;
    bool c01 = false;  // only with quantify
    std::string output = {};
    bool append = false;
};

// The command as one line a POSIX shell takes apart into its words again:
// mirvok-cli batch --iterations, the values in table order, the segments,
// the seed, the ticks, the output and --append; a word the shell would take
// apart is quoted.
std::string batchCommandLine(const BatchCommand& command);

// The segment that ends at step `end` with this mean interval (ms) and
// shape as --segment reads it: "END:ISI:CV", CV = 1/sqrt(shape), the numbers
// in their shortest form.
std::string segmentText(int end, double isi, double shape);

// The words as one line a POSIX shell takes apart into them again: each as
// it is when plain, else in single quotes.
std::string shellCommand(const std::vector<std::string>& words);

}  // namespace mirvok
