#include "records/spike_list_file.hpp"

#include <charconv>

#include "system/file_replace.hpp"

namespace mirvok {

std::string formatSpikeList(const std::vector<int>& steps) {
    // Sized exactly before it is filled: a dense train's text is hundreds
    // of megabytes, and growing it would hold two copies at once.
    char buf[16];
    std::size_t size = 0;
    for (int step : steps)
        size += static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, step).ptr - buf) + 1;
    std::string out;
    out.reserve(size);
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
