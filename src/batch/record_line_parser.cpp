#include "batch/record_line_parser.hpp"

#include <cstddef>

#include "text/integer_scan.hpp"

namespace mirvok {

std::optional<std::vector<long long>> parseRecordOutputList(std::string_view line) {
    constexpr std::string_view kListStart = "\";\"";
    const std::size_t start = line.find(kListStart);
    if (start == std::string_view::npos) return std::nullopt;
    std::vector<long long> steps;
    std::size_t pos = start + kListStart.size();
    long long value = 0;
    while (scanInteger(line, pos, value)) {
        steps.push_back(value);
        const std::size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    return steps;
}

}  // namespace mirvok
