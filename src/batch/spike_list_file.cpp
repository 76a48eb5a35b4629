#include "batch/spike_list_file.hpp"

#include <charconv>
#include <cstdio>

#include "text/errors.hpp"

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
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) throw FileError::couldNotWrite(path);
    const std::string text = formatSpikeList(steps);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    // The close flushes the buffer: a full disk shows up here at the latest.
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) throw FileError::couldNotWrite(path);
}

}  // namespace mirvok
