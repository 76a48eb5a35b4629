#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sweep/sweep_description.hpp"
#include "system/file_lock.hpp"

namespace mirvok {

// Which share of a sweep's points one run takes: part k of n holds the points
// p with p % n == k - 1, so parts take turns through the grid and each gets
// its share of the costly points.
struct SweepPart {
    int k = 1;
    int n = 1;

    bool whole() const { return n == 1; }
    bool holds(int point) const { return point % n == k - 1; }
};

// The part's points among a sweep's first `points`, in order.
std::vector<int> pointsOf(const SweepPart& part, int points);

// What a sweep's folder holds of one of its points.
enum class StoredPoint {
    Missing,  // no row, or with keep-records no result file: the point runs
    Damaged,  // a row that is not whole or not this sweep's: the point runs again
    Done,     // its row, whole and this sweep's, and its result file when kept
};

// The files of a sweep's folder, each written beside and renamed into place:
//   sweep.json                   what determines the results, written first
//   points/p-00000.row           a point's summary line, there once it is done
//   points/p-00000.csv           its result file (--keep-records), with .json
//   summary.csv                  the whole sweep, with .json
//   summary.part-K-of-N.csv      one part's points, with .json
class SweepFolder {
  public:
    explicit SweepFolder(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    std::string descriptionFile() const { return path_ + "/sweep.json"; }
    std::string rowFile(int point) const;
    std::string recordsFile(int point) const;
    std::string summaryFile(const SweepPart& part) const;

    // The sweep its sweep.json describes, or nullopt when there is none.
    // Throws Error "<sweep.json> does not describe a sweep" when it holds
    // anything else, FileError when it cannot be read.
    std::optional<SweepDescription> description() const;
    // Whether its sweep.json describes another sweep than this one, or none.
    bool holdsOther(const SweepDescription& description) const;
    // Creates the folders and writes sweep.json unless one is there; false,
    // writing nothing, when the one there holds another sweep.
    bool claim(const SweepDescription& description) const;

    // What the folder holds of a point of this sweep (see StoredPoint).
    StoredPoint stored(const SweepDescription& description, int point) const;
    // The point's row when it is whole and this sweep's (isRowOf).
    std::optional<std::string> storedRow(const SweepDescription& description, int point) const;
    void writeRow(int point, std::string_view row) const;
    // The points whose rows are there, in order.
    std::vector<int> rows() const;
    // The K of every part summary there, by N.
    std::map<int, std::set<int>> partSummaries() const;

    // Keeps a second process from running the same part (or the whole
    // sweep) into this folder while this one does, for as long as the lock
    // lives: two writers of the same points and summary. Other parts go on
    // beside it. Throws FileBusy naming the part's summary file.
    HeldLock lockPart(const SweepPart& part) const;
    // Removes the temporary files that processes which ended left among the
    // points (removeStaleTemporaries); returns how many.
    int removeStaleTemporaries() const;

  private:
    std::string path_;
};

// A sweep's folder as it stands, read without writing anything: for those
// who show or check sweeps.
struct SweepFolderContents {
    std::optional<SweepDescription> description;  // none without sweep.json
    // The points whose rows are whole and this sweep's, in order (without
    // sweep.json, whose rows cannot be checked: every row there).
    std::vector<int> rows;
    // The points whose rows are there but damaged or another sweep's.
    std::vector<int> damaged;
    std::map<int, std::set<int>> parts;  // the K of each part summary, by N
    bool summary = false;                // summary.csv is there
};

// Throws as SweepFolder::description does.
SweepFolderContents readSweepFolder(const SweepFolder& folder);

// The text of the part's summary (summary.csv's when whole): the header and
// the stored row of each of its points, or nullopt when a point has no row
// that is whole and this sweep's.
std::optional<std::string> summaryFromRows(const SweepFolder& folder,
                                           const SweepDescription& description,
                                           const SweepPart& part);

// Writes the part's summary (summary.csv when whole) from the rows of its
// points and its provenance, which names the sweep by its fingerprint so
// that join can tell parts of another sweep. Returns the summary's name.
// Throws Error, writing nothing, when a point has no row that is whole and
// this sweep's.
std::string writePartSummary(const SweepFolder& folder, const SweepDescription& description,
                             const SweepPart& part, const std::string& program,
                             std::chrono::system_clock::time_point started);

}  // namespace mirvok
