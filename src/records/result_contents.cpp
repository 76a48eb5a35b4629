#include "records/result_contents.hpp"

#include <limits>

#include "base/errors.hpp"
#include "records/record_line_parser.hpp"
#include "system/file_chunks.hpp"
#include "text/number_parse.hpp"

namespace mirvok {
namespace {

constexpr double kUnread = std::numeric_limits<double>::quiet_NaN();

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The text up to the next semicolon, which text then starts after.
std::optional<std::string_view> nextField(std::string_view& text) {
    const std::size_t end = text.find(';');
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view field = trimmed(text.substr(0, end));
    text.remove_prefix(end + 1);
    return field;
}

// The next field as a number; false, with number left as it is, when it is
// missing or does not convert.
template <typename Number, typename Convert>
bool readNumber(std::string_view& text, Number& number, Convert convert) {
    const std::optional<std::string_view> field = nextField(text);
    if (!field) return false;
    try {
        number = convert(*field);
    } catch (const Error&) {
        return false;
    }
    return true;
}

int toInt(std::string_view text) {
    return StrToInt(text);
}

double toDouble(std::string_view text) {
    return StrToDouble(text, '.');
}

// The list in double quotes that text starts with; nullopt when there is none.
std::optional<StepList> quotedList(std::string_view text) {
    if (text.empty() || text.front() != '"') return std::nullopt;
    const std::size_t close = text.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    return parseStepList(text.substr(1, close - 1));
}

// "key: value" with the key expected.
template <typename Number, typename Convert>
void readHeaderValue(std::string_view field, std::string_view key, Number& number,
                     Convert convert) {
    field = trimmed(field);
    if (!field.starts_with(key)) return;
    try {
        number = convert(trimmed(field.substr(key.size())));
    } catch (const Error&) {
    }
}

}  // namespace

std::optional<ResultSection> parseResultHeader(std::string_view line) {
    if (!line.starts_with("NEW;")) return std::nullopt;
    ResultSection section{kUnread, kUnread, -1, {}, 0, 0};
    std::string_view rest = line.substr(4);
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view field = rest.substr(0, end);
        readHeaderValue(field, "isi:", section.isi, toDouble);
        readHeaderValue(field, "shape:", section.shape, toDouble);
        readHeaderValue(field, "#:", section.iterations, toInt);
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return section;
}

std::optional<RecordValues> parseRecordValues(std::string_view line) {
    RecordLine parsed = parseRecordLine(line);
    if (parsed.kind != RecordLine::Kind::Record) return std::nullopt;
    RecordValues r{-1, -1, kUnread, -1, kUnread, kUnread, {}, {}, parsed.outputPartial};
    r.outSteps = std::move(parsed.outputList);
    // The text before the output list: each number read as far as it can be.
    std::string_view rest = parsed.before;
    bool numbers = readNumber(rest, r.index, toInt);
    numbers = readNumber(rest, r.inSpikes, toInt) && numbers;
    numbers = readNumber(rest, r.cv, toDouble) && numbers;
    numbers = readNumber(rest, r.outSpikes, toInt) && numbers;
    numbers = readNumber(rest, r.q, toDouble) && numbers;
    numbers = readNumber(rest, r.score, toDouble) && numbers;
    std::optional<StepList> in = quotedList(trimmed(rest));
    if (in) r.inSteps = std::move(in->steps);
    r.partial = r.partial || !numbers || !in || !in->whole;
    return r;
}

std::optional<std::vector<ResultSection>> readResultSections(const std::string& path) {
    std::vector<ResultSection> sections;
    const bool exists = forEachLine(path, [&](std::string_view line, bool) {
        if (trimmed(line).empty()) return;
        if (std::optional<ResultSection> header = parseResultHeader(line)) {
            sections.push_back(std::move(*header));
            return;
        }
        if (sections.empty()) sections.push_back({kUnread, kUnread, -1, {}, 0, 0});
        ResultSection& section = sections.back();
        if (std::optional<RecordValues> record = parseRecordValues(line)) {
            section.partialRecords += record->partial ? 1 : 0;
            section.records.push_back(std::move(*record));
        } else {
            ++section.damagedRecords;
        }
    });
    if (!exists) return std::nullopt;
    return sections;
}

}  // namespace mirvok
