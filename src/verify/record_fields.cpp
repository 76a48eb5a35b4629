#include "verify/record_fields.hpp"

#include <algorithm>

#include "records/record_line_parser.hpp"
#include "text/number_format.hpp"
#include "verify/verify_tally.hpp"

namespace mirvok {
namespace {

constexpr std::array<const char*, 6> kNumberNames = {"index",      "in_spikes", "cv",
                                                     "out_spikes", "q",         "score"};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The text in double quotes that `rest` starts with, followed by a
// semicolon; rest then starts after it.
std::optional<std::string_view> quoted(std::string_view& rest) {
    if (rest.size() < 3 || rest.front() != '"') return std::nullopt;
    const std::size_t close = rest.find('"', 1);
    if (close == std::string_view::npos || close + 1 >= rest.size() || rest[close + 1] != ';')
        return std::nullopt;
    const std::string_view list = rest.substr(1, close - 1);
    rest.remove_prefix(close + 2);
    return list;
}

std::string stepText(const std::vector<int>& steps, std::size_t i) {
    return i < steps.size() ? IntToStr(steps[i]) : std::string("none");
}

std::string spikes(std::size_t n) {
    return counted(static_cast<long long>(n), "spike");
}

// How two lists differ: their lengths, and the first spike that differs.
std::string listDifference(const char* name, std::string_view found, std::string_view expected) {
    const StepList f = parseStepList(found);
    const StepList e = parseStepList(expected);
    if (!f.whole || f.steps == e.steps)
        return std::string(name) + ": found " + shownText(found) + ", expected " +
               shownText(expected);
    const auto first =
        std::mismatch(f.steps.begin(), f.steps.end(), e.steps.begin(), e.steps.end());
    const auto i = static_cast<std::size_t>(first.first - f.steps.begin());
    const std::string spike = "spike " + IntToStr(static_cast<long long>(i + 1));
    const std::string at =
        spike + ": found " + stepText(f.steps, i) + ", expected " + stepText(e.steps, i);
    if (f.steps.size() == e.steps.size()) return std::string(name) + ": " + at;
    return std::string(name) + ": found " + spikes(f.steps.size()) + ", expected " +
           spikes(e.steps.size()) + " (" + at + ")";
}

}  // namespace

std::optional<RecordFields> recordFields(std::string_view line) {
    RecordFields fields;
    std::string_view rest = line;
    for (std::string_view& number : fields.numbers) {
        const std::size_t end = rest.find(';');
        if (end == std::string_view::npos) return std::nullopt;
        number = trimmed(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    const std::optional<std::string_view> input = quoted(rest);
    if (!input) return std::nullopt;
    const std::optional<std::string_view> output = quoted(rest);
    if (!output || !rest.empty()) return std::nullopt;
    fields.input = *input;
    fields.output = *output;
    return fields;
}

std::vector<std::string> fieldDifferences(std::string_view found, std::string_view expected,
                                          FieldSet set) {
    const std::optional<RecordFields> f = recordFields(found);
    const std::optional<RecordFields> e = recordFields(expected);
    if (!f || !e) return {"record: found " + shownText(found) + ", expected a record"};
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < kNumberNames.size(); ++i) {
        if (i == 0 && set == FieldSet::Results) continue;
        if (f->numbers[i] != e->numbers[i])
            lines.push_back(std::string(kNumberNames[i]) + ": found " + std::string(f->numbers[i]) +
                            ", expected " + std::string(e->numbers[i]));
    }
    if (set == FieldSet::All && f->input != e->input)
        lines.push_back(listDifference("input list", f->input, e->input));
    if (f->output != e->output)
        lines.push_back(listDifference("output list", f->output, e->output));
    if (lines.empty() && set == FieldSet::All && found != expected)
        lines.push_back("text: found " + shownText(found) + ", expected " + shownText(expected));
    return lines;
}

std::vector<std::string> recordDifferences(std::string_view found, bool ended,
                                           std::string_view expected, FieldSet fields) {
    const bool exact = fields == FieldSet::All;
    if (exact && found == expected && ended) return {};
    std::vector<std::string> lines = fieldDifferences(found, expected, fields);
    if (lines.empty() && exact) lines.push_back("cut off before its line end");
    return lines;
}

}  // namespace mirvok
