#include "records/result_file_reader.hpp"

#include <string_view>

#include "records/record_line_parser.hpp"
#include "system/file_chunks.hpp"
#include "system/sha256.hpp"
#include "text/number_format.hpp"

namespace mirvok {

std::optional<ReplaySource> readReplaySource(const std::string& path) {
    ReplaySource source;
    Sha256 sum;
    bool first = true;
    const auto visit = [&](std::string_view line, bool) {
        if (first) {
            first = false;
            return;
        }
        const RecordLine record = parseRecordLine(line);
        if (record.kind == RecordLine::Kind::Record) {
            // An exact copy: no spare capacity kept per list.
            source.lists.emplace_back(record.outputList.begin(), record.outputList.end());
            source.partialRecords += record.outputPartial ? 1 : 0;
        } else if (record.kind == RecordLine::Kind::Damaged) {
            ++source.damagedRecords;
        }
    };
    const bool exists =
        forEachLine(path, visit, [&sum](std::string_view chunk) { sum.update(chunk); });
    if (!exists) return std::nullopt;
    source.sha256 = sum.hexDigest();
    return source;
}

std::string damagedRecordsMessage(std::size_t count) {
    return counted(static_cast<long long>(count), "damaged record was", "damaged records were") +
           " skipped";
}

std::string partialRecordsMessage(std::size_t count) {
    return counted(static_cast<long long>(count), "record holds text in its",
                   "records hold text in their") +
           " output list that is no step: each was replayed up to it";
}

std::string noRecordsMessage(const std::string& path) {
    return path + " holds no record to replay";
}

}  // namespace mirvok
