#include "cli/join_command.hpp"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <vector>

#include "base/errors.hpp"
#include "batch/results/provenance.hpp"
#include "batch/sweep/sweep_grid.hpp"
#include "cli/file_batch.hpp"
#include "cli/sweep_directory.hpp"
#include "system/file_chunks.hpp"
#include "system/file_replace.hpp"

namespace mirvok::cli {
namespace {

// The K of every summary.part-K-of-N.csv in the folder, by N.
std::map<int, std::set<int>> partsIn(const std::string& dir) {
    std::map<int, std::set<int>> parts;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        int k = 0, n = 0, length = 0;
        const std::string name = entry.path().filename().string();
        if (std::sscanf(name.c_str(), "summary.part-%d-of-%d.csv%n", &k, &n, &length) == 2 &&
            static_cast<std::size_t>(length) == name.size() && k >= 1 && k <= n)
            parts[n].insert(k);
    }
    if (ec) throw FileError::couldNotRead(dir);
    return parts;
}

// The split whose parts are all there; otherwise names what is missing of
// the most complete one.
int completeSplit(const SweepDirectory& dir, const std::map<int, std::set<int>>& parts) {
    if (parts.empty())
        throw Error("'" + dir.path() + "' holds no part summaries (summary.part-K-of-N.csv)");
    const std::pair<const int, std::set<int>>* best = nullptr;
    for (const auto& split : parts) {
        if (static_cast<int>(split.second.size()) == split.first) return split.first;
        if (!best || split.second.size() > best->second.size()) best = &split;
    }
    std::string missing;
    for (int k = 1; k <= best->first; ++k)
        if (!best->second.contains(k))
            missing += (missing.empty() ? "" : ", ") + dir.summaryFile({k, best->first});
    throw Error("parts missing: " + missing);
}

bool namesSweep(const std::string& partFile, const std::string& id) {
    std::optional<std::string> provenance;
    try {
        provenance = readWholeFile(provenancePath(partFile));
    } catch (const FileError&) {
        return false;
    }
    return provenance && provenance->find("\"sweep\": \"" + id + "\"") != std::string::npos;
}

// The point a summary row is of, or -1.
int pointOf(const std::string& row) {
    int point = -1;
    const auto [end, ec] = std::from_chars(row.data(), row.data() + row.size(), point);
    return ec == std::errc() && end != row.data() + row.size() && *end == ',' ? point : -1;
}

// The rows of a part, each checked to be the next of its points.
void takeRows(const std::string& file, const SweepPart& part, std::string& header,
              std::vector<std::string>& rows) {
    const std::optional<std::string> text = readWholeFile(file);
    if (!text) throw FileError::couldNotRead(file);
    const Error wrong(file + " does not hold the points of part " + std::to_string(part.k) +
                      " of " + std::to_string(part.n));
    std::size_t at = text->find('\n');
    if (at == std::string::npos) throw wrong;
    const std::string head = text->substr(0, at + 1);
    if (header.empty()) header = head;
    if (head != header) throw wrong;
    int next = part.k - 1;
    const auto points = static_cast<int>(rows.size());
    for (; at + 1 < text->size(); next += part.n) {
        const std::size_t end = text->find('\n', at + 1);
        if (end == std::string::npos || next >= points) throw wrong;
        std::string row = text->substr(at + 1, end - at);
        if (pointOf(row) != next) throw wrong;
        rows[static_cast<std::size_t>(next)] = std::move(row);
        at = end;
    }
    if (next < points) throw wrong;
}

Provenance joinProvenance(const std::string& description, int parts,
                          std::chrono::system_clock::time_point started) {
    const auto points = static_cast<long long>(describedNumber(description, "points").value_or(0));
    Provenance provenance =
        toolProvenance("join", describedMember(description, "values").value_or("{}"));
    provenance.seed = describedNumber(description, "seed");
    provenance.iterations =
        static_cast<long long>(describedNumber(description, "iterations").value_or(0));
    provenance.runs = provenance.iterations * points;
    provenance.started = started;
    provenance.ended = std::chrono::system_clock::now();
    provenance.more.member("points", points);
    provenance.more.member("parts", static_cast<long long>(parts));
    provenance.more.member("sweep", fingerprint(description));
    return provenance;
}

}  // namespace

void addJoinCommand(CLI::App& app, JoinOptions& o) {
    CLI::App* join = app.add_subcommand(
        "join", "Join the part summaries of a sweep run with --part into DIR/summary.csv");
    join->add_option("DIR", o.dir, "folder of the sweep")->required();
}

void runJoinCommand(const JoinOptions& o, std::ostream& out) {
    const auto started = std::chrono::system_clock::now();
    const SweepDirectory dir(o.dir);
    const std::optional<std::string> description = dir.description();
    if (!description) throw FileError::couldNotRead(dir.descriptionFile());
    const std::optional<std::uint64_t> points = describedNumber(*description, "points");
    if (!points || *points > static_cast<std::uint64_t>(kMostSweepPoints))
        throw Error(dir.descriptionFile() + " does not describe a sweep");
    const int n = completeSplit(dir, partsIn(dir.path()));

    const std::string id = fingerprint(*description);
    std::string foreign;
    for (int k = 1; k <= n; ++k)
        if (!namesSweep(dir.summaryFile({k, n}), id))
            foreign += (foreign.empty() ? "" : ", ") + dir.summaryFile({k, n});
    if (!foreign.empty())
        throw Error("not parts of the sweep in " + dir.descriptionFile() + ": " + foreign);

    std::string header;
    std::vector<std::string> rows(*points);
    for (int k = 1; k <= n; ++k) takeRows(dir.summaryFile({k, n}), {k, n}, header, rows);
    std::string text = header;
    for (const std::string& row : rows) text += row;
    const std::string file = dir.summaryFile({});
    replaceFileContent(file, text);
    recordProvenance(file, joinProvenance(*description, n, started), ProvenanceMode::Replace);
    out << "summary: " << file << '\n';
}

}  // namespace mirvok::cli
