#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mirvok::cli {

// Which share of a sweep's points one run takes: part k of n holds the points
// p with p % n == k - 1, so parts take turns through the grid and each gets
// its share of the costly points.
struct SweepPart {
    int k = 1;
    int n = 1;

    bool whole() const { return n == 1; }
    bool holds(int point) const { return point % n == k - 1; }
};

// "K/N" with 1 <= K <= N; throws OptionError naming --part.
SweepPart parsePart(std::string_view text);

// The files of a sweep's folder, each written beside and renamed into place:
//   sweep.json                   what determines the results, written first
//   points/p-00000.row           a point's summary line, there once it is done
//   points/p-00000.csv           its result file (--keep-records), with .json
//   summary.csv                  the whole sweep, with .json
//   summary.part-K-of-N.csv      one part's points, with .json
class SweepDirectory {
  public:
    explicit SweepDirectory(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    std::string descriptionFile() const { return path_ + "/sweep.json"; }
    std::string rowFile(int point) const;
    std::string recordsFile(int point) const;
    std::string summaryFile(const SweepPart& part) const;

    // The sweep.json there, or nullopt when there is none.
    std::optional<std::string> description() const;
    // Throws OptionError naming --out when the sweep.json there describes
    // another sweep.
    void refuseOther(const std::string& description) const;
    // Creates the folders and writes sweep.json unless one is there; refuses
    // another sweep's as refuseOther does.
    void claim(const std::string& description) const;
    // Whether the point's results are there (its row, and with keepRecords
    // its result file).
    bool done(int point, bool keepRecords) const;
    // The row of a done point; throws FileError when it is missing.
    std::string row(int point) const;

  private:
    std::string path_;
};

// The JSON text of a top-level member of a description ("values"), or
// nullopt.
std::optional<std::string> describedMember(const std::string& description, std::string_view key);
// The value of a top-level integer member ("seed", "points"), or nullopt.
std::optional<std::uint64_t> describedNumber(const std::string& description, std::string_view key);

// A short text that tells one description from another: summaries name the
// sweep they belong to by it, so join can refuse a part of another sweep.
std::string fingerprint(const std::string& description);

}  // namespace mirvok::cli
