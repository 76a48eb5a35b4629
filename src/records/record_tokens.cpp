#include "records/record_tokens.hpp"

#include <cstddef>

#include "text/integer_scan.hpp"

namespace mirvok {
namespace {

// A blank line (spaces, tabs, a CR) is no damaged record: an editor may
// leave one.
bool holdsNoRecord(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos || line.starts_with("NEW;");
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isWhiteSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back())) text.remove_suffix(1);
    return text;
}

// The numbers of `before`, the text up to the output list; `before` then
// starts after the last of them read.
void readNumbers(std::string_view& before, RecordTokens& tokens) {
    for (std::optional<std::string_view>& number : tokens.numbers) {
        const std::size_t end = before.find(';');
        if (end == std::string_view::npos) return;
        number = trimmed(before.substr(0, end));
        before.remove_prefix(end + 1);
    }
}

}  // namespace

RecordTokens tokenizeRecord(std::string_view line) {
    RecordTokens tokens;
    if (holdsNoRecord(line)) return tokens;
    tokens.kind = RecordKind::Damaged;
    constexpr std::string_view kListStart = "\";\"";
    const std::size_t start = line.find(kListStart);
    if (start == std::string_view::npos) return tokens;
    const std::size_t first = start + kListStart.size();
    const std::size_t close = line.find('"', first);
    if (close == std::string_view::npos) return tokens;

    tokens.kind = RecordKind::Record;
    tokens.output = line.substr(first, close - first);
    // Up to and with the input list's closing quote.
    std::string_view before = line.substr(0, start + 1);
    readNumbers(before, tokens);
    const bool numbers = tokens.numbers.back().has_value();
    const std::string_view rest = trimmed(before);
    if (numbers && rest.size() >= 2 && rest.front() == '"' &&
        rest.find('"', 1) == rest.size() - 1) {
        tokens.input = rest.substr(1, rest.size() - 2);
        tokens.exact = before.size() == rest.size() && line.substr(close) == "\";";
    }
    return tokens;
}

}  // namespace mirvok
