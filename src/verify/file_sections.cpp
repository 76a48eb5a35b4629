#include "verify/file_sections.hpp"

#include "records/line_source.hpp"

namespace mirvok {

std::vector<FileSection> readFileSections(const std::string& path,
                                          std::optional<std::uint64_t> lineLimit) {
    std::vector<FileSection> sections;
    LineSource reader = LineSource::openExisting(path);
    if (lineLimit) reader.setLineLimit(*lineLimit);
    while (const std::optional<std::string_view> line = reader.next()) {
        if (line->starts_with("NEW;")) {
            sections.push_back({reader.number(), 0});
            continue;
        }
        if (sections.empty()) sections.push_back({});
        ++sections.back().lines;
    }
    return sections;
}

}  // namespace mirvok
