#include "batch/results/record_line_parser.hpp"

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
    parsed.outputList = parseStepList(line.substr(first, close - first));
    return parsed;
}

std::vector<int> parseStepList(std::string_view list) {
    std::vector<int> steps;
    std::size_t pos = 0;
    int value = 0;
    while (scanStep(list, pos, value)) {
        steps.push_back(value);
        const std::size_t comma = list.find(',', pos);
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    return steps;
}

}  // namespace mirvok
