#include "sweep/sweep_table.hpp"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "base/errors.hpp"
#include "records/provenance.hpp"
#include "sweep/sweep_join.hpp"
#include "sweep/sweep_rows.hpp"
#include "sweep/sweep_seeds.hpp"
#include "sweep/sweep_summary.hpp"
#include "system/file_chunks.hpp"

namespace mirvok {
namespace {

bool readPointNumber(std::string_view text, int& out) {
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && at == end;
}

struct Reading {
    SweepTable& table;
    std::vector<bool> bad;

    void take(int point, std::string_view line) {
        if (point < 0 || point >= table.description.points) return;
        auto& slot = table.points[static_cast<std::size_t>(point)];
        if (slot) return;
        slot = pointRowOf(table.description, point, line);
        if (!slot) bad[static_cast<std::size_t>(point)] = true;
    }

    // The rows of a summary file after its header; a line cut short is
    // taken as it is, and so found damaged.
    void takeSummary(const std::string& file, const std::string& header) {
        const std::optional<std::string> text = readWholeFile(file);
        if (!text) throw FileError::couldNotRead(file);
        const std::string_view all = *text;
        if (!all.starts_with(header)) return;
        for (std::size_t at = header.size(); at < all.size();) {
            const std::size_t end = std::min(all.find('\n', at), all.size() - 1);
            const std::string_view line = all.substr(at, end + 1 - at);
            int point = -1;
            const std::string_view number = line.substr(0, line.find(','));
            if (readPointNumber(number, point)) take(point, line);
            at = end + 1;
        }
    }
};

}  // namespace

std::optional<SweepPointRow> pointRowOf(const SweepDescription& d, int point,
                                        std::string_view line) {
    std::optional<std::vector<double>> results = rowResults(line, d, point);
    if (!results) return std::nullopt;
    return SweepPointRow{pointSeed(d.seed, point), std::max(d.iterations, 0), std::move(*results)};
}

int pointAt(const SweepDescription& d, const std::vector<int>& indices) {
    int point = 0;
    for (std::size_t a = 0; a < d.vary.size(); ++a)
        point = point * static_cast<int>(d.vary[a].values.size()) + indices[a];
    return point;
}

int SweepTable::found() const {
    return static_cast<int>(std::count_if(points.begin(), points.end(),
                                          [](const auto& row) { return row.has_value(); }));
}

SweepTable readSweepTable(const SweepFolder& folder) {
    const std::optional<SweepDescription> description = folder.description();
    if (!description) throw FileError::couldNotRead(folder.descriptionFile());
    SweepTable table{*description, {}, {}};
    const auto points = static_cast<std::size_t>(table.description.points);
    table.points.resize(points);
    Reading reading{table, std::vector<bool>(points)};

    std::vector<std::string> varied;
    for (const SweepAxisValues& axis : table.description.vary) varied.push_back(axis.name);
    const std::string header = summaryHeader(varied);
    const std::string id = fingerprint(table.description);
    std::vector<std::string> summaries;
    std::error_code ec;
    if (std::filesystem::exists(folder.summaryFile({}), ec))
        summaries.push_back(folder.summaryFile({}));
    for (const auto& [n, ks] : folder.partSummaries())
        for (const int k : ks) summaries.push_back(folder.summaryFile({k, n}));
    for (const std::string& summary : summaries)
        if (summaryNamesSweep(summary, id)) reading.takeSummary(summary, header);
    // The rows of the points done, for a sweep still running or stopped; a
    // row not whole or another sweep's is found damaged as it is taken.
    for (const int p : folder.rows()) {
        if (p >= table.description.points || table.points[static_cast<std::size_t>(p)]) continue;
        const std::optional<std::string> row = readWholeFile(folder.rowFile(p));
        if (row) reading.take(p, *row);
    }
    for (std::size_t p = 0; p < points; ++p)
        if (reading.bad[p] && !table.points[p]) table.damaged.push_back(static_cast<int>(p));
    return table;
}

}  // namespace mirvok
