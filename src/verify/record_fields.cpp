#include "verify/record_fields.hpp"

#include <algorithm>

#include "records/record_line_parser.hpp"
#include "records/record_tokens.hpp"
#include "text/number_format.hpp"
#include "verify/verify_tally.hpp"

namespace mirvok {
namespace {

std::string stepText(const std::vector<int>& steps, std::size_t i) {
    return i < steps.size() ? IntToStr(steps[i]) : std::string("none");
}

std::string spikes(std::size_t n) {
    return counted(static_cast<long long>(n), "spike");
}

// How two lists differ: their lengths, and the first spike that differs.
std::string listDifference(RecordField field, std::string_view found, std::string_view expected) {
    const std::string name(kRecordColumns[field].label);
    const StepList f = parseStepList(found);
    const StepList e = parseStepList(expected);
    if (!f.whole || f.steps == e.steps)
        return name + ": found " + shownText(found) + ", expected " + shownText(expected);
    const auto first =
        std::mismatch(f.steps.begin(), f.steps.end(), e.steps.begin(), e.steps.end());
    const auto i = static_cast<std::size_t>(first.first - f.steps.begin());
    const std::string spike = "spike " + IntToStr(static_cast<long long>(i + 1));
    const std::string at =
        spike + ": found " + stepText(f.steps, i) + ", expected " + stepText(e.steps, i);
    if (f.steps.size() == e.steps.size()) return name + ": " + at;
    return name + ": found " + spikes(f.steps.size()) + ", expected " + spikes(e.steps.size()) +
           " (" + at + ")";
}

}  // namespace

std::vector<std::string> fieldDifferences(std::string_view found, std::string_view expected,
                                          FieldSet set) {
    const RecordTokens f = tokenizeRecord(found);
    const RecordTokens e = tokenizeRecord(expected);
    if (!f.exact || !e.exact) return {"record: found " + shownText(found) + ", expected a record"};
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < kRecordNumbers; ++i) {
        if (i == kIndex && set == FieldSet::Results) continue;
        if (f.numbers[i] != e.numbers[i])
            lines.push_back(std::string(kRecordColumns[i].label) + ": found " +
                            std::string(*f.numbers[i]) + ", expected " +
                            std::string(*e.numbers[i]));
    }
    if (set == FieldSet::All && f.input != e.input)
        lines.push_back(listDifference(kInput, *f.input, *e.input));
    if (f.output != e.output) lines.push_back(listDifference(kOutput, f.output, e.output));
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
