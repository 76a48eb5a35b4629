#include "ui/sweeps/point_records.hpp"

#include "base/errors.hpp"
#include "records/result_contents.hpp"

namespace mirvok::ui {

std::vector<BatchPoint> pointRecords(const std::string& path) {
    const auto sections = readResultSections(path);
    if (!sections) throw FileError::couldNotRead(path);
    std::vector<BatchPoint> points;
    for (const ResultSection& section : *sections)
        for (const RecordValues& record : section.records)
            points.push_back({record.cv, record.q, record.score});
    return points;
}

}  // namespace mirvok::ui
