#include "sweep/sweep_rows.hpp"

#include <algorithm>
#include <charconv>
#include <string>

#include "sweep/sweep_seeds.hpp"
#include "sweep/sweep_summary.hpp"

namespace mirvok {

std::vector<std::string_view> rowFields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t comma = line.find(',');
        fields.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos) return fields;
        line.remove_prefix(comma + 1);
    }
}

bool readRowNumber(std::string_view field, double& value) {
    const char* end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, value);
    return !field.empty() && error == std::errc() && stop == end;
}

std::vector<int> pointIndices(const SweepDescription& d, int point) {
    std::vector<int> indices(d.vary.size());
    for (std::size_t a = d.vary.size(); a-- > 0;) {
        const auto count = static_cast<int>(d.vary[a].values.size());
        indices[a] = point % count;
        point /= count;
    }
    return indices;
}

std::vector<double> pointValues(const SweepDescription& description, int point) {
    const std::vector<int> at = pointIndices(description, point);
    std::vector<double> values(at.size());
    for (std::size_t a = 0; a < at.size(); ++a)
        values[a] = description.vary[a].values[static_cast<std::size_t>(at[a])];
    return values;
}

bool isRowOf(std::string_view row, const SweepDescription& description, int point) {
    return rowResults(row, description, point).has_value();
}

std::optional<std::vector<double>> rowResults(std::string_view row,
                                              const SweepDescription& description, int point) {
    if (point < 0 || point >= description.points || row.empty() || row.find('\n') != row.size() - 1)
        return std::nullopt;
    const std::vector<std::string_view> fields = rowFields(row.substr(0, row.size() - 1));
    const std::size_t varied = description.vary.size();
    if (fields.size() != 3 + varied + kSummaryResultColumns || fields[0] != std::to_string(point) ||
        fields[1 + varied] != std::to_string(pointSeed(description.seed, point)) ||
        fields[2 + varied] != std::to_string(std::max(description.iterations, 0)))
        return std::nullopt;
    const std::vector<double> values = pointValues(description, point);
    double number = 0.0;
    for (std::size_t a = 0; a < varied; ++a)
        if (!readRowNumber(fields[1 + a], number) || number != values[a]) return std::nullopt;
    std::vector<double> results(kSummaryResultColumns);
    for (std::size_t r = 0; r < results.size(); ++r)
        if (!readRowNumber(fields[3 + varied + r], results[r])) return std::nullopt;
    return results;
}

}  // namespace mirvok
