#include "batch/results/spike_list_file.hpp"

#include <charconv>

#include "system/file_replace.hpp"

namespace mirvok {

std::string formatSpikeList(const std::vector<int>& steps) {
    std::string out;
    out.reserve(steps.size() * 6);
    char buf[16];
    for (int step : steps) {
        auto res = std::to_chars(buf, buf + sizeof buf, step);
        out.append(buf, res.ptr);
        out += ',';
    }
    return out;
}

void writeSpikeList(const std::string& path, const std::vector<int>& steps) {
    replaceFileContent(path, formatSpikeList(steps));
}

}  // namespace mirvok
