#include "values/command_line.hpp"

#include <cmath>

#include "text/shortest_number.hpp"
#include "values/value_table.hpp"

namespace mirvok {
namespace {

bool plainWord(std::string_view word) {
    if (word.empty()) return false;
    for (const char c : word) {
        const bool alnum =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!alnum && std::string_view("_./:=+-").find(c) == std::string_view::npos) return false;
    }
    return true;
}

std::string shellQuoted(std::string_view word) {
    if (plainWord(word)) return std::string(word);
    std::string quoted = "'";
    for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + '\'';
}

}  // namespace

std::string batchCommandLine(const BatchCommand& command) {
    std::vector<std::string> words{"mirvok-cli", "batch", settingFlag(Setting::Iterations),
                                   command.iterations};
    for (const ValueRow& row : valueTable()) {
        const auto given = command.values.find(row.option);
        if (given != command.values.end())
            words.insert(words.end(), {"--" + row.option, given->second});
    }
    for (const std::string& segment : command.segments)
        words.insert(words.end(), {settingFlag(Setting::Segments), segment});
    if (command.seed)
        words.insert(words.end(), {settingFlag(Setting::Seed), std::to_string(*command.seed)});
    if (command.quantify) {
        words.push_back(settingFlag(Setting::Quantify));
        if (command.c01) words.push_back(settingFlag(Setting::C01));
    }
    words.insert(words.end(), {"--output", command.output});
    if (command.append) words.push_back("--append");
    return shellCommand(words);
}

std::string segmentText(int end, double isi, double shape) {
    return std::to_string(end) + ':' + shortestNumber(isi) + ':' +
           shortestNumber(1.0 / std::sqrt(shape));
}

std::string shellCommand(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) line += (line.empty() ? "" : " ") + shellQuoted(word);
    return line;
}

}  // namespace mirvok
