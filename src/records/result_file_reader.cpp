#include "records/result_file_reader.hpp"

#include <algorithm>
#include <string_view>

#include "records/line_source.hpp"
#include "records/record_line_parser.hpp"
#include "system/sha256.hpp"
#include "text/number_format.hpp"

namespace mirvok {

std::optional<ReplaySource> readReplaySource(const std::string& path, const SourceBudget& budget) {
    std::optional<LineSource> lines = LineSource::open(path);
    if (!lines) return std::nullopt;
    ReplaySource source;
    Sha256 sum;
    lines->setChunkObserver([&sum](std::string_view chunk) { sum.update(chunk); });
    std::uint64_t held = 0;
    std::size_t longest = 0;
    if (budget)
        lines->setGuard(
            [&](std::uint64_t lineBytes, long long) { budget(held + lineBytes, longest); });
    lines->next();  // the header, whatever it holds
    while (const std::optional<std::string_view> line = lines->next()) {
        RecordLine record = parseRecordLine(*line);
        if (record.kind == RecordLine::Kind::Record) {
            held += record.outputList.capacity() * sizeof(int) + sizeof(std::vector<int>);
            longest = std::max(longest, record.outputList.size());
            source.lists.push_back(std::move(record.outputList));
            source.partialRecords += record.outputPartial ? 1 : 0;
            if (budget) budget(held, longest);
        } else if (record.kind == RecordLine::Kind::Damaged) {
            ++source.damagedRecords;
        }
    }
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
