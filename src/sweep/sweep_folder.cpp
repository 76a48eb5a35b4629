#include "sweep/sweep_folder.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/errors.hpp"
#include "records/provenance.hpp"
#include "sweep/sweep_rows.hpp"
#include "sweep/sweep_summary.hpp"
#include "system/file_chunks.hpp"
#include "system/file_replace.hpp"
#include "system/stale_temporaries.hpp"

namespace mirvok {
namespace {

std::string pointName(int point) {
    std::string digits = std::to_string(point);
    if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
    return "p-" + digits;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The names of the files in a folder; none when there is no such folder.
std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
        names.push_back(entry.path().filename().string());
    if (ec && ec != std::errc::no_such_file_or_directory) throw FileError::couldNotRead(dir);
    return names;
}

}  // namespace

std::vector<int> pointsOf(const SweepPart& part, int points) {
    std::vector<int> out;
    for (long long p = part.k - 1; p < points; p += part.n) out.push_back(static_cast<int>(p));
    return out;
}

std::string SweepFolder::rowFile(int point) const {
    return path_ + "/points/" + pointName(point) + ".row";
}

std::string SweepFolder::recordsFile(int point) const {
    return path_ + "/points/" + pointName(point) + ".csv";
}

std::string SweepFolder::summaryFile(const SweepPart& part) const {
    if (part.whole()) return path_ + "/summary.csv";
    return path_ + "/summary.part-" + std::to_string(part.k) + "-of-" + std::to_string(part.n) +
           ".csv";
}

std::optional<SweepDescription> SweepFolder::description() const {
    const std::optional<std::string> text = readWholeFile(descriptionFile());
    if (!text) return std::nullopt;
    std::optional<SweepDescription> description = parseDescription(*text);
    if (!description) throw Error(descriptionFile() + " does not describe a sweep");
    return description;
}

bool SweepFolder::holdsOther(const SweepDescription& description) const {
    const std::optional<std::string> text = readWholeFile(descriptionFile());
    if (!text) return false;
    const std::optional<SweepDescription> there = parseDescription(*text);
    return !there || !sameSweep(*there, description);
}

bool SweepFolder::claim(const SweepDescription& description) const {
    std::error_code ec;
    std::filesystem::create_directories(path_ + "/points", ec);
    if (ec) throw FileError::couldNotWrite(path_ + "/points");
    FileBeside file(descriptionFile());
    file.write(descriptionText(description));
    // Parts starting at once on several machines race for it here: one
    // writes it, the others compare.
    return file.placeUnlessExists() || !holdsOther(description);
}

StoredPoint SweepFolder::stored(const SweepDescription& description, int point) const {
    const std::optional<std::string> text = readWholeFile(rowFile(point));
    if (!text) return StoredPoint::Missing;
    if (!isRowOf(*text, description, point)) return StoredPoint::Damaged;
    if (description.keepRecords && !exists(recordsFile(point))) return StoredPoint::Missing;
    return StoredPoint::Done;
}

std::optional<std::string> SweepFolder::storedRow(const SweepDescription& description,
                                                  int point) const {
    std::optional<std::string> text = readWholeFile(rowFile(point));
    if (!text || !isRowOf(*text, description, point)) return std::nullopt;
    return text;
}

void SweepFolder::writeRow(int point, std::string_view row) const {
    FileBeside file(rowFile(point));
    file.write(row);
    file.place();
}

std::vector<int> SweepFolder::rows() const {
    std::vector<int> points;
    for (const std::string& name : namesIn(path_ + "/points")) {
        int point = -1;
        if (std::sscanf(name.c_str(), "p-%d.row", &point) == 1 && point >= 0 &&
            name == pointName(point) + ".row")
            points.push_back(point);
    }
    std::sort(points.begin(), points.end());
    return points;
}

std::map<int, std::set<int>> SweepFolder::partSummaries() const {
    std::map<int, std::set<int>> parts;
    for (const std::string& name : namesIn(path_)) {
        int k = 0, n = 0;
        if (std::sscanf(name.c_str(), "summary.part-%d-of-%d.csv", &k, &n) == 2 && k >= 1 &&
            k <= n && name == summaryFile({k, n}).substr(path_.size() + 1))
            parts[n].insert(k);
    }
    return parts;
}

HeldLock SweepFolder::lockPart(const SweepPart& part) const {
    // A lock file of its own: the summary and the points are replaced by
    // renames, which a lock on them would not outlive.
    const std::string summary = summaryFile(part);
    return HeldLock(path_ + "/." + summary.substr(path_.size() + 1) + ".lock", summary, true);
}

int SweepFolder::removeStaleTemporaries() const {
    return mirvok::removeStaleTemporaries(path_ + "/points");
}

SweepFolderContents readSweepFolder(const SweepFolder& folder) {
    SweepFolderContents contents;
    contents.description = folder.description();
    for (const int point : folder.rows()) {
        if (!contents.description || folder.storedRow(*contents.description, point))
            contents.rows.push_back(point);
        else
            contents.damaged.push_back(point);
    }
    contents.parts = folder.partSummaries();
    contents.summary = exists(folder.summaryFile({}));
    return contents;
}

std::optional<std::string> summaryFromRows(const SweepFolder& folder,
                                           const SweepDescription& description,
                                           const SweepPart& part) {
    std::vector<std::string> varied;
    for (const SweepAxisValues& axis : description.vary) varied.push_back(axis.name);
    std::string text = summaryHeader(varied);
    for (const int p : pointsOf(part, description.points)) {
        const std::optional<std::string> row = folder.storedRow(description, p);
        if (!row) return std::nullopt;
        text += *row;
    }
    return text;
}

std::string writePartSummary(const SweepFolder& folder, const SweepDescription& description,
                             const SweepPart& part, const std::string& program,
                             std::chrono::system_clock::time_point started) {
    const std::string file = folder.summaryFile(part);
    const std::optional<std::string> text = summaryFromRows(folder, description, part);
    if (!text)
        throw Error("the points of " + file + " are not all done in " + folder.path() +
                    "/points: run the sweep again");
    const auto points = static_cast<long long>(pointsOf(part, description.points).size());
    replaceFileContent(file, *text);
    Provenance provenance = provenanceOf(program, "sweep", description.values);
    provenance.seed = description.seed;
    provenance.iterations = description.iterations;
    provenance.runs = points * std::max(description.iterations, 0);
    provenance.started = started;
    provenance.ended = std::chrono::system_clock::now();
    provenance.more["points"] = points;
    if (!part.whole())
        provenance.more["part"] = std::to_string(part.k) + "/" + std::to_string(part.n);
    provenance.more["sweep"] = fingerprint(description);
    recordProvenance(file, provenance, ProvenanceMode::Replace);
    return file;
}

}  // namespace mirvok
