#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sweep/sweep_folder.hpp"
#include "sweep/sweep_rows.hpp"
#include "sweep/sweep_summary.hpp"

namespace mirvok {

// What a summary row gives of one point besides its number and values.
struct SweepPointRow {
    std::uint64_t seed = 0;
    long long runs = 0;
    // Each result's mean and sd in summary column order (sweepResultColumns);
    // NaN where the row says NaN.
    std::vector<double> results;
};

// The row of point `point` when `line` is that point's whole row of this
// sweep (isRowOf); nullopt otherwise (a cut or damaged line, or the row of
// another sweep or point).
std::optional<SweepPointRow> pointRowOf(const SweepDescription& description, int point,
                                        std::string_view line);

// A sweep as far as its folder holds it, for those who show it: every point
// whose row is found and belongs to the sweep, from summary.csv, the part
// summaries before their join, or the rows of the points done so far.
struct SweepTable {
    SweepDescription description;
    std::vector<std::optional<SweepPointRow>> points;  // by point; nullopt: not there
    // The points not there for all that a row was found (cut, or another
    // sweep's), in order.
    std::vector<int> damaged;
    int found() const;
};

// The point of indices into each axis's values (pointIndices' inverse).
int pointAt(const SweepDescription& description, const std::vector<int>& indices);

// Reads the folder without writing anything. A summary (whole or part) is
// read only when its provenance names this sweep, as join requires. Throws
// FileError when there is no sweep.json or a file cannot be read, and as
// SweepFolder::description does.
SweepTable readSweepTable(const SweepFolder& folder);

}  // namespace mirvok
