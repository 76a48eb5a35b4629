#pragma once

#include <CLI/CLI.hpp>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "values/value_table.hpp"
#include "values/value_texts.hpp"

namespace mirvok::cli {

// Option values are kept as the text the user typed and converted later by
// the core with the same rules as the window's boxes, so both accept and
// refuse the same numbers. The defaults are the value table's.

// The value options a command takes, by option name, each holding its
// default until given, and the --segment texts ("END:ISI:CV", in order).
struct ValueTexts {
    NamedTexts numbers;
    std::vector<std::string> segments;
};

// What `batch` and `replay` both take: the result file of --output, replaced
// or appended to (--append), the worker threads and --quiet.
struct BatchFileTexts {
    std::string output = "output.csv";
    bool append = false;
    std::optional<std::string> threads;
    bool quiet = false;
};

// An option kept as text, its default shown in the help.
CLI::Option* addText(CLI::App& app, const std::string& name, std::string& text,
                     const std::string& help, const std::string& typeName = "X");
// An option without a default, kept as text when given.
CLI::Option* addOptionalText(CLI::App& app, const std::string& name,
                             std::optional<std::string>& text, const std::string& help);

// --threads, whose help gives the most worker threads and then `more`
// ("; the result does not depend on it").
CLI::Option* addThreadsOption(CLI::App& app, std::optional<std::string>& text,
                              const std::string& more = "");

// An option for every row of the groups, in the table's order; with the
// generator's group also the repeatable --segment.
void addValueOptions(CLI::App& app, ValueTexts& texts, std::initializer_list<ValueGroup> groups);
// The options whose values only go into the result file's header, with the
// help that says so (a replay's --isi and --cv).
void addHeaderOptions(CLI::App& app, ValueTexts& texts);
void addBatchFileOptions(CLI::App& app, BatchFileTexts& texts);

}  // namespace mirvok::cli
