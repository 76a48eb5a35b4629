// A point's row (points/p-NNNNN.row) as a sweep and join check it before
// using it: the first byte chooses the point (some beyond the sweep's), the
// rest is the row file. A row taken is one whole line of the point's number,
// its values, seed and runs, and a number for each result column.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sweep/sweep_description.hpp"
#include "sweep/sweep_rows.hpp"
#include "sweep/sweep_summary.hpp"

namespace {

// Four points over two varied values, three runs each.
const char kSweep[] = R"({
  "values": {"time": 300, "v1-start": 0.2, "gamma1": 1e-04, "delta1": 0.45, "v2-start": 0.8,
             "gamma2": 0.006, "delta2": 0.3, "epsilon": 1e+05, "boundary-tol": 0, "ign": 0,
             "range": 5, "c0": 0.3333, "isi-jitter": 0},
  "vary": [{"name": "cv", "values": [0.1, 1]}, {"name": "isi", "values": [20, 2500]}],
  "iterations": 3, "keep-records": true, "seed": 7, "points": 4
})";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mirvok::SweepDescription sweep = *mirvok::parseDescription(kSweep);
    if (size < 1) return 0;
    const int point = data[0] % 8 - 2;
    const std::string_view row(reinterpret_cast<const char*>(data + 1), size - 1);
    if (!mirvok::isRowOf(row, sweep, point)) return 0;
    std::size_t commas = 0;
    for (const char c : row) commas += c == ',' ? 1 : 0;
    if (point < 0 || point >= sweep.points || row.find('\n') != row.size() - 1 ||
        !row.starts_with(std::to_string(point) + ",") ||
        commas != 2 + sweep.vary.size() + mirvok::kSummaryResultColumns)
        __builtin_trap();
    return 0;
}
