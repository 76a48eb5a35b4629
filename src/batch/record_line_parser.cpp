#include "batch/record_line_parser.hpp"

#include <climits>
#include <cstddef>

namespace mirvok {
namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads optional white space, an optional sign and decimal digits from pos
// on. Returns false, leaving value alone, when no digit follows. Values
// beyond long long are clamped.
bool readInteger(std::string_view text, std::size_t& pos, long long& value) {
    std::size_t i = pos;
    while (i < text.size() && isWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !isDigit(text[i])) return false;
    // Accumulated as a negative number, whose range reaches LLONG_MIN.
    long long acc = 0;
    bool clamped = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (acc < (LLONG_MIN + digit) / 10) clamped = true;
        if (!clamped) acc = acc * 10 - digit;
    }
    if (clamped) {
        value = negative ? LLONG_MIN : LLONG_MAX;
    } else {
        value = negative ? acc : (acc == LLONG_MIN ? LLONG_MAX : -acc);
    }
    pos = i;
    return true;
}

}  // namespace

std::optional<std::vector<long long>> parseRecordOutputList(std::string_view line) {
    constexpr std::string_view kListStart = "\";\"";
    const std::size_t start = line.find(kListStart);
    if (start == std::string_view::npos) return std::nullopt;
    std::vector<long long> steps;
    std::size_t pos = start + kListStart.size();
    long long value = 0;
    while (readInteger(line, pos, value)) {
        steps.push_back(value);
        const std::size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
    }
    return steps;
}

}  // namespace mirvok
