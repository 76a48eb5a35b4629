#include "records/result_contents.hpp"

#include <limits>

#include "base/errors.hpp"
#include "records/line_source.hpp"
#include "records/record_line_parser.hpp"
#include "records/record_tokens.hpp"
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

// The number a field holds; false, with number left as it is, when the
// field is not there or does not convert.
template <typename Number, typename Convert>
bool readNumber(const std::optional<std::string_view>& field, Number& number, Convert convert) {
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
    const RecordTokens tokens = tokenizeRecord(line);
    if (tokens.kind != RecordKind::Record) return std::nullopt;
    RecordValues r{-1, -1, kUnread, -1, kUnread, kUnread, {}, {}, false, false};
    StepList out = parseStepList(tokens.output);
    r.outputPartial = !out.whole;
    r.outSteps = std::move(out.steps);
    // Each number read as far as it can be.
    const auto& n = tokens.numbers;
    bool numbers = readNumber(n[kIndex], r.index, toInt);
    numbers = readNumber(n[kInSpikes], r.inSpikes, toInt) && numbers;
    numbers = readNumber(n[kCv], r.cv, toDouble) && numbers;
    numbers = readNumber(n[kOutSpikes], r.outSpikes, toInt) && numbers;
    numbers = readNumber(n[kQ], r.q, toDouble) && numbers;
    numbers = readNumber(n[kScore], r.score, toDouble) && numbers;
    bool input = false;
    if (tokens.input) {
        StepList in = parseStepList(*tokens.input);
        r.inSteps = std::move(in.steps);
        input = in.whole;
    }
    r.partial = !out.whole || !numbers || !input;
    return r;
}

std::optional<std::vector<ResultSection>> readResultSections(const std::string& path) {
    std::vector<ResultSection> sections;
    const bool exists = forEachLine(path, [&](std::string_view line, bool) {
        if (std::optional<ResultSection> header = parseResultHeader(line)) {
            sections.push_back(std::move(*header));
            return;
        }
        std::optional<RecordValues> record = parseRecordValues(line);
        // A blank line is passed over, and starts no section.
        if (!record && tokenizeRecord(line).kind != RecordKind::Damaged) return;
        if (sections.empty()) sections.push_back({kUnread, kUnread, -1, {}, 0, 0});
        ResultSection& section = sections.back();
        if (record) {
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
