#include "verify/file_sections.hpp"

#include "verify/line_reader.hpp"

namespace mirvok {

std::vector<FileSection> readFileSections(const std::string& path) {
    std::vector<FileSection> sections;
    LineReader reader(path);
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
