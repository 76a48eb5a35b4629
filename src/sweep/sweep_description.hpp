#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sweep/sweep_grid.hpp"
#include "text/json.hpp"
#include "values/batch_setup.hpp"

namespace mirvok {

// A varied value as a sweep's description lists it: the option's name and
// its values in grid order.
struct SweepAxisValues {
    std::string name;
    std::vector<double> values;

    bool operator==(const SweepAxisValues&) const = default;
};

// What determines a sweep's results, as its folder's sweep.json holds it.
struct SweepDescription {
    Json values = Json::object();  // the values every point shares (batchValuesJson)
    std::vector<SweepAxisValues> vary;
    int iterations = 0;  // per point
    bool keepRecords = false;
    std::uint64_t seed = 0;
    int points = 0;  // the product of the axes' value counts
};

// The description of the sweep of this grid from this seed, whose first
// point has this setup.
SweepDescription describeSweep(const SweepGrid& grid, const BatchSetup& first, int iterations,
                               bool keepRecords, std::uint64_t seed);

// Whether the two describe the same sweep: the same values, however the
// text that held them was laid out (the order of the shared values, blanks,
// the form of a number: 2500, 2500.0 and 2.5e3 are one value), a value
// added since a sweep was made read as its value before.
bool sameSweep(const SweepDescription& a, const SweepDescription& b);

// The text of sweep.json: the members values, vary, iterations,
// keep-records, seed and points, one per line.
std::string descriptionText(const SweepDescription& description);

// The description a sweep.json text holds, or nullopt when it holds
// anything else: other members, a member of another kind, a points count
// that is not the grid's, values that do not give every point each value of
// a batch once (one missing, unknown, both varied and shared, a fraction for
// an integer option).
std::optional<SweepDescription> parseDescription(std::string_view text);

// A short text that tells one sweep from another, the same for every text of
// one description: part summaries name their sweep by it, so join can
// refuse a part of another sweep. It is what every earlier version wrote
// for the same sweep, so their parts still join.
std::string fingerprint(const SweepDescription& description);

}  // namespace mirvok
