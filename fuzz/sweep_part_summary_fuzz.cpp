// Part summaries as join reads them: the first two bytes choose the part
// (K of N, up to 4 parts), the rest is the file. Taken rows are exactly the
// part's points, each one whole line starting with its number.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sweep/sweep_join.hpp"

namespace {

bool oneLine(const std::string& text) {
    return !text.empty() && text.find('\n') == text.size() - 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int n = 1 + data[0] % 4;
    const mirvok::SweepPart part{1 + data[1] % n, n};
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    std::string header;
    std::vector<std::string> rows(9);
    if (!mirvok::takePartRows(text, part, header, rows)) return 0;
    if (!oneLine(header)) __builtin_trap();
    for (std::size_t p = 0; p < rows.size(); ++p) {
        const std::string& row = rows[p];
        if (!part.holds(static_cast<int>(p))) {
            if (!row.empty()) __builtin_trap();
        } else if (!oneLine(row) || row.rfind(std::to_string(p) + ",", 0) != 0) {
            __builtin_trap();
        }
    }
    return 0;
}
