#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "batch/sweep/sweep_description.hpp"
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

    // Whether the point's results are there (its row, and with keepRecords
    // its result file).
    bool done(int point, bool keepRecords) const;
    // The row of a done point; throws FileError when it is missing.
    std::string row(int point) const;
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
    std::vector<int> rows;                        // the points done, in order
    std::map<int, std::set<int>> parts;           // the K of each part summary, by N
    bool summary = false;                         // summary.csv is there
};

// Throws as SweepFolder::description does.
SweepFolderContents readSweepFolder(const SweepFolder& folder);

// Writes the part's summary (summary.csv when whole) from the rows of its
// points, which must all be done, and its provenance, which names the sweep
// by its fingerprint so that join can tell parts of another sweep. Returns
// the summary's name.
std::string writePartSummary(const SweepFolder& folder, const SweepDescription& description,
                             const SweepPart& part, const std::string& program,
                             std::chrono::system_clock::time_point started);

}  // namespace mirvok
