#include "records/record_line_parser.hpp"

#include <cstddef>

#include "text/integer_scan.hpp"

namespace mirvok {
namespace {

bool holdsNoRecord(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line.empty() || line.starts_with("NEW;");
}

}  // namespace

RecordLine parseRecordLine(std::string_view line) {
    RecordLine parsed;
    if (holdsNoRecord(line)) return parsed;
    parsed.kind = RecordLine::Kind::Damaged;
    constexpr std::string_view kListStart = "\";\"";
    const std::size_t start = line.find(kListStart);
    if (start == std::string_view::npos) return parsed;
    const std::size_t first = start + kListStart.size();
    const std::size_t close = line.find('"', first);
    if (close == std::string_view::npos) return parsed;

    parsed.kind = RecordLine::Kind::Record;
    StepList list = parseStepList(line.substr(first, close - first));
    parsed.outputList = std::move(list.steps);
    parsed.outputPartial = !list.whole;
    parsed.before = line.substr(0, start + 1);
    return parsed;
}

StepList parseStepList(std::string_view list) {
    StepList parsed;
    std::size_t pos = 0;
    int value = 0;
    const auto blank = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            if (!isWhiteSpace(list[i])) return false;
        return true;
    };
    while (scanStep(list, pos, value)) {
        parsed.steps.push_back(value);
        const std::size_t comma = list.find(',', pos);
        if (comma == std::string_view::npos) {
            parsed.whole = blank(pos, list.size());
            return parsed;
        }
        // Whatever lies between a step and its comma is passed over.
        if (!blank(pos, comma)) parsed.whole = false;
        pos = comma + 1;
    }
    if (!blank(pos, list.size())) parsed.whole = false;
    return parsed;
}

}  // namespace mirvok
