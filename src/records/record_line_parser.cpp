#include "records/record_line_parser.hpp"

#include <algorithm>
#include <cstddef>

#include "text/integer_scan.hpp"

namespace mirvok {

RecordLine parseRecordLine(std::string_view line) {
    const RecordTokens tokens = tokenizeRecord(line);
    RecordLine parsed;
    parsed.kind = tokens.kind;
    if (tokens.kind != RecordKind::Record) return parsed;
    StepList list = parseStepList(tokens.output);
    parsed.outputList = std::move(list.steps);
    parsed.outputPartial = !list.whole;
    return parsed;
}

StepList parseStepList(std::string_view list) {
    StepList parsed;
    // Sized once: a dense train's list is hundreds of megabytes, and growing
    // it would hold it twice.
    parsed.steps.reserve(static_cast<std::size_t>(std::count(list.begin(), list.end(), ',')) + 1);
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
