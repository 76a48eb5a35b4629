#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "sweep/sweep_description.hpp"

namespace mirvok {

// The index into each axis's values of a point, in axis order (the last
// axis varies fastest).
std::vector<int> pointIndices(const SweepDescription& description, int point);

// The point's values of the varied options, in the order of the
// description's axes (the last varying fastest).
std::vector<double> pointValues(const SweepDescription& description, int point);

// Whether `row` is the whole row of `point` of this sweep, as the sweep
// wrote it into points/ and a part summary: one line ending in a newline
// whose fields are the point's number, its value of every varied option,
// its seed, the sweep's runs per point and one number (or NaN) for each
// result column. A row emptied, cut short, joined to another or copied from
// the folder of another sweep is not, so it never stands for the point.
bool isRowOf(std::string_view row, const SweepDescription& description, int point);
// The result columns of `row` in order when it is the whole row of `point`
// (isRowOf); nullopt otherwise.
std::optional<std::vector<double>> rowResults(std::string_view row,
                                              const SweepDescription& description, int point);

// The comma-separated fields of a row without its line end.
std::vector<std::string_view> rowFields(std::string_view row);
// The field read whole as a number; NaN, as a row writes an undefined
// result, is one.
bool readRowNumber(std::string_view field, double& value);

}  // namespace mirvok
