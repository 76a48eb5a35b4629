#include "records/batch_continuation.hpp"

#include <sys/stat.h>

#include <string_view>

#include "base/errors.hpp"
#include "records/line_source.hpp"
#include "records/record_tokens.hpp"
#include "text/integer_scan.hpp"
#include "text/json.hpp"
#include "text/number_format.hpp"
#include "values/values_before.hpp"

namespace mirvok {
namespace {

// A whole record whose index field is index.
bool isRecord(std::string_view line, int index) {
    const RecordTokens tokens = tokenizeRecord(line);
    const std::optional<std::string_view>& field = tokens.numbers[kIndex];
    std::size_t pos = 0;
    int first = 0;
    return tokens.kind == RecordKind::Record && field && scanStep(*field, pos, first) &&
           pos == field->size() && first == index;
}

std::string withoutLineEnd(const std::string& line) {
    return line.substr(0, line.find_last_not_of("\r\n") + 1);
}

// "time 1000", or "without quantify" for a value a batch leaves out.
std::string valueText(const std::string& name, const Json& values) {
    const auto found = values.find(name);
    return found == values.end() ? "without " + name : "with " + name + " " + jsonLine(*found);
}

}  // namespace

std::optional<LastBatch> readLastBatch(const std::string& path) {
    LastBatch last;
    int lineNumber = 0;
    const bool exists = forEachLine(path, [&](std::string_view line, bool ended) {
        ++lineNumber;
        if (!ended) return;
        if (line.starts_with("NEW;")) {
            last = LastBatch{std::string(line) + "\n", 0, "", 0};
        } else if (last.strayLine == 0 && !last.header.empty() && isRecord(line, last.records)) {
            ++last.records;
            last.lastRecord.assign(line);
            last.lastRecord += '\n';
        } else if (last.strayLine == 0) {
            last.strayLine = lineNumber;
        }
    });
    if (!exists) return std::nullopt;
    return last;
}

int continuationIndex(const LastBatch& last, const std::string& header, int iterations,
                      const std::string& fileName) {
    if (last.header.empty()) throw InputError(fileName + " holds no batch to continue");
    if (last.header != header)
        throw InputError("the last batch in " + fileName + " has the header '" +
                         withoutLineEnd(last.header) + "', this batch writes '" +
                         withoutLineEnd(header) + "'");
    if (last.strayLine > 0)
        throw InputError("line " + IntToStr(last.strayLine) + " of " + fileName +
                         " is not the next record of its last batch");
    if (last.records > iterations)
        throw InputError("the last batch in " + fileName + " holds " +
                         counted(last.records, "record") + ", more than its " +
                         counted(iterations, "run"));
    return last.records;
}

void checkLastRecord(const LastBatch& last, const std::string& recomputed,
                     const std::string& fileName) {
    if (last.lastRecord == recomputed) return;
    const std::string index = IntToStr(last.records - 1);
    throw InputError("record " + index + " of " + fileName + " is not run " + index +
                     " of this batch: continue with the seed and values of the interrupted batch");
}

std::optional<Provenance> lastBatchProvenance(const std::string& fileName, const LastBatch& last) {
    std::optional<std::vector<Provenance>> entries;
    try {
        entries = readProvenance(provenancePath(fileName));
    } catch (const Error&) {
        return std::nullopt;  // says nothing of the batch: the header is checked all the same
    }
    if (!entries) return std::nullopt;
    struct stat info {};
    if (::stat(fileName.c_str(), &info) == 0) dropEmptyEntries(*entries, info.st_size);
    if (entries->empty()) return std::nullopt;
    const Provenance& entry = entries->back();
    const std::optional<long long> from = continuedFrom(entry);
    if (!entry.seed || !from) return std::nullopt;
    // An entry is written before its batch's first record; earlier versions
    // wrote it at the end, so one of theirs that does not count the batch's
    // whole records is an earlier batch's, left by one killed before it could record.
    if (!entry.atByte && *from + entry.runs != last.records) return std::nullopt;
    return entry;
}

void checkContinuedValues(const Provenance& made, const Json& values, std::uint64_t seed,
                          const std::string& fileName) {
    const std::string start = "the last batch in " + fileName + " was made ";
    if (made.seed != seed)
        throw InputError(start + "with seed " + std::to_string(made.seed.value_or(0)) +
                         ", this batch with seed " + std::to_string(seed));
    // A value added after the batch was made is compared with its value before.
    const Json madeValues = withValuesBefore(made.values, made.version);
    std::vector<std::string> names;
    for (const auto& [name, value] : madeValues.items()) names.push_back(name);
    for (const auto& [name, value] : values.items()) names.push_back(name);
    for (const std::string& name : names) {
        const auto before = madeValues.find(name);
        const auto now = values.find(name);
        const bool same = before != madeValues.end() && now != values.end() && *before == *now;
        if (!same)
            throw InputError(start + valueText(name, madeValues) + ", this batch " +
                             valueText(name, values));
    }
}

}  // namespace mirvok
