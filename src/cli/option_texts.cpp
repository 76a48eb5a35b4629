#include "cli/option_texts.hpp"

#include <algorithm>

#include "batch/worker_kit.hpp"

namespace mirvok::cli {
namespace {

// The placeholder of a value in the help: its unit, else its kind.
std::string typeName(const ValueRow& row) {
    if (row.unit == "ms") return "MS";
    if (row.unit == "steps") return "STEPS";
    return row.kind == ValueKind::Integer ? "N" : "X";
}

void addValueOption(CLI::App& app, ValueTexts& texts, const ValueRow& row,
                    const std::string& help) {
    std::string& text = texts.numbers[row.option];
    text = row.defaultText;
    addText(app, "--" + row.option, text, help, typeName(row));
}

}  // namespace

CLI::Option* addText(CLI::App& app, const std::string& name, std::string& text,
                     const std::string& help, const std::string& typeName) {
    return app.add_option(name, text, help)->type_name(typeName)->default_str(text);
}

CLI::Option* addOptionalText(CLI::App& app, const std::string& name,
                             std::optional<std::string>& text, const std::string& help) {
    return app
        .add_option_function<std::string>(
            name, [&text](const std::string& value) { text = value; }, help)
        ->type_name("N");
}

CLI::Option* addThreadsOption(CLI::App& app, std::optional<std::string>& text,
                              const std::string& more) {
    return addOptionalText(app, "--threads", text,
                           "worker threads, at most " + std::to_string(kMostThreads) +
                               " (default: the CPUs this process may use)" + more);
}

void addValueOptions(CLI::App& app, ValueTexts& texts, std::initializer_list<ValueGroup> groups) {
    for (const ValueRow* row : valueRows(groups)) addValueOption(app, texts, *row, row->help);
    if (std::find(groups.begin(), groups.end(), ValueGroup::Generator) == groups.end()) return;
    // One value per flag: a second segment needs a second --segment.
    app.add_option(settingFlag(Setting::Segments), texts.segments,
                   settingRow(Setting::Segments).help)
        ->type_name("END:ISI:CV")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

void addHeaderOptions(CLI::App& app, ValueTexts& texts) {
    for (const ValueRow& row : valueTable())
        if (!row.headerHelp.empty()) addValueOption(app, texts, row, row.headerHelp);
}

void addBatchFileOptions(CLI::App& app, BatchFileTexts& t) {
    addText(app, "--output", t.output, "result file", "FILE");
    app.add_flag("--append", t.append, "append to the result file instead of replacing it");
    addThreadsOption(app, t.threads, "; the result does not depend on it");
    app.add_flag("--quiet", t.quiet, "no progress line");
}

}  // namespace mirvok::cli
