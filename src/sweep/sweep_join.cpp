#include "sweep/sweep_join.hpp"

#include <algorithm>

#include "base/errors.hpp"
#include "records/provenance.hpp"
#include "sweep/sweep_rows.hpp"
#include "system/file_chunks.hpp"
#include "system/file_replace.hpp"

namespace mirvok {
namespace {

// Whether the part's rows are each whole and this sweep's (isRowOf).
bool rowsOfSweep(const std::vector<std::string>& rows, const SweepDescription& description,
                 const SweepPart& part) {
    for (const int p : pointsOf(part, description.points))
        if (!isRowOf(rows[static_cast<std::size_t>(p)], description, p)) return false;
    return true;
}

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : ", ") + name;
    return out;
}

}  // namespace

bool summaryNamesSweep(const std::string& summary, const std::string& id) {
    try {
        const auto entries = readProvenance(provenancePath(summary));
        if (!entries || entries->empty()) return false;
        const Json sweep = entries->back().more.value("sweep", Json());
        return sweep.is_string() && sweep.get<std::string>() == id;
    } catch (const Error&) {
        return false;
    }
}

bool takePartRows(std::string_view text, const SweepPart& part, std::string& header,
                  std::vector<std::string>& rows) {
    std::size_t at = text.find('\n');
    if (at == std::string_view::npos) return false;
    const std::string_view head = text.substr(0, at + 1);
    if (header.empty()) header = head;
    if (head != header) return false;
    int next = part.k - 1;
    const auto points = static_cast<int>(rows.size());
    for (; at + 1 < text.size(); next += part.n) {
        const std::size_t end = text.find('\n', at + 1);
        if (end == std::string_view::npos || next >= points) return false;
        const std::string_view row = text.substr(at + 1, end - at);
        if (!row.starts_with(std::to_string(next) + ',')) return false;
        rows[static_cast<std::size_t>(next)] = row;
        at = end;
    }
    return next >= points;
}

int completeSplit(const SweepFolder& folder, const std::map<int, std::set<int>>& parts) {
    if (parts.empty())
        throw Error("'" + folder.path() + "' holds no part summaries (summary.part-K-of-N.csv)");
    const std::pair<const int, std::set<int>>* best = nullptr;
    for (const auto& split : parts) {
        if (static_cast<int>(split.second.size()) == split.first) return split.first;
        if (!best || split.second.size() > best->second.size()) best = &split;
    }
    std::vector<std::string> missing;
    for (int k = 1; k <= best->first; ++k)
        if (!best->second.contains(k)) missing.push_back(folder.summaryFile({k, best->first}));
    throw Error("parts missing: " + joined(missing));
}

std::string joinParts(const SweepFolder& folder, const SweepDescription& description, int n) {
    const std::string id = fingerprint(description);
    std::vector<std::string> foreign;
    for (int k = 1; k <= n; ++k)
        if (!summaryNamesSweep(folder.summaryFile({k, n}), id))
            foreign.push_back(folder.summaryFile({k, n}));
    if (!foreign.empty())
        throw Error("not parts of the sweep in " + folder.descriptionFile() + ": " +
                    joined(foreign));

    std::string header;
    std::vector<std::string> rows(static_cast<std::size_t>(description.points));
    for (int k = 1; k <= n; ++k) {
        const std::string file = folder.summaryFile({k, n});
        const std::optional<std::string> text = readWholeFile(file);
        if (!text) throw FileError::couldNotRead(file);
        if (!takePartRows(*text, {k, n}, header, rows) || !rowsOfSweep(rows, description, {k, n}))
            throw Error(file + " does not hold the points of part " + std::to_string(k) + " of " +
                        std::to_string(n));
    }
    std::string summary = header;
    for (const std::string& row : rows) summary += row;
    return summary;
}

std::string joinSweep(const SweepFolder& folder, const std::string& program,
                      std::chrono::system_clock::time_point started) {
    const std::optional<SweepDescription> description = folder.description();
    if (!description) throw FileError::couldNotRead(folder.descriptionFile());
    // summary.csv is the whole sweep's: not while a sweep run whole, or
    // another join, writes it.
    const HeldLock whole = folder.lockPart({});
    // A sweep run as one part (--part 1/1, a job array of one task) leaves
    // no part summaries but summary.csv, made for this sweep: its rows, all
    // there, are the whole sweep.
    std::optional<std::string> summary;
    int n = 1;
    const std::map<int, std::set<int>> parts = folder.partSummaries();
    if (parts.empty() && summaryNamesSweep(folder.summaryFile({}), fingerprint(*description)))
        summary = summaryFromRows(folder, *description, {});
    if (!summary) {
        n = completeSplit(folder, parts);
        summary = joinParts(folder, *description, n);
    }
    const std::string file = folder.summaryFile({});
    replaceFileContent(file, *summary);

    Provenance provenance = provenanceOf(program, "join", description->values);
    provenance.seed = description->seed;
    provenance.iterations = description->iterations;
    provenance.runs =
        static_cast<long long>(std::max(description->iterations, 0)) * description->points;
    provenance.started = started;
    provenance.ended = std::chrono::system_clock::now();
    provenance.more["points"] = description->points;
    provenance.more["parts"] = n;
    provenance.more["sweep"] = fingerprint(*description);
    recordProvenance(file, provenance, ProvenanceMode::Replace);
    return file;
}

}  // namespace mirvok
