#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mirvok {

// What a check of a result file or a sweep found.
struct VerifyReport {
    long long checked = 0;  // records checked (rows and summary lines in a sweep)
    long long differ = 0;   // of them, those that differ; a header that differs counts too
    // One line per difference, "record 12 (line 14): q: found 0.51, expected 0.52", the
    // first kShownLines only, then how many more there were.
    std::vector<std::string> differences;
    long long moreDifferences = 0;
    // Records that cannot be made again exactly (a rate edited while they ran), and how
    // many beyond those listed.
    std::vector<std::string> inexact;
    long long moreInexact = 0;
    std::vector<std::string> notes;      // how parts of the file were checked
    std::vector<std::string> unchecked;  // what could not be checked
    bool stopped = false;                // asked to stop before the end
};

// The most difference lines (and lines of inexact records) listed.
inline constexpr std::size_t kShownLines = 20;

// Counts and lists as a check goes on.
class VerifyTally {
  public:
    void checked(long long records = 1) { report_.checked += records; }
    // A record (or header) that differs, with a line for each difference.
    void differs(const std::vector<std::string>& lines);
    void inexact(std::string line);
    void note(std::string text) { report_.notes.push_back(std::move(text)); }
    void unchecked(std::string what) { report_.unchecked.push_back(std::move(what)); }
    void stopped() { report_.stopped = true; }
    const VerifyReport& report() const { return report_; }

  private:
    // Whether a further difference line would be listed.
    bool listing() const { return report_.differences.size() < kShownLines; }

    VerifyReport report_;
};

// "N records checked, M differ", and "; not checked: ..." with what could
// not be.
std::string closingLine(const VerifyReport& report);

// What a front end prints, in order: the records that cannot be made again
// exactly, the notes, the difference lines with "... and K more
// differences", and the closing line.
std::vector<std::string> reportLines(const VerifyReport& report);

// "record 12 (line 14)": a record by its index in its batch and its line in
// the file (from 1).
std::string recordPlace(long long index, long long line);

// "<place>: <what>" or, with a field, "<place>: <field>: found <found>,
// expected <expected>".
std::string differenceLine(std::string_view place, std::string_view field, std::string_view found,
                           std::string_view expected);

// A text shown in a line: quoted, and cut to its first characters and "..."
// when long.
std::string shownText(std::string_view text);

}  // namespace mirvok
