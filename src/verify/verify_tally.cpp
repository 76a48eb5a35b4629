#include "verify/verify_tally.hpp"

#include "text/number_format.hpp"

namespace mirvok {
namespace {

constexpr std::size_t kShownChars = 40;

}  // namespace

void VerifyTally::differs(const std::vector<std::string>& lines) {
    ++report_.differ;
    for (const std::string& line : lines) {
        if (listing())
            report_.differences.push_back(line);
        else
            ++report_.moreDifferences;
    }
}

void VerifyTally::inexact(std::string line) {
    if (report_.inexact.size() < kShownLines)
        report_.inexact.push_back(std::move(line));
    else
        ++report_.moreInexact;
}

std::string closingLine(const VerifyReport& report) {
    std::string line = counted(report.checked, "record") + " checked, " +
                       counted(report.differ, "differs", "differ");
    for (std::size_t i = 0; i < report.unchecked.size(); ++i)
        line += (i == 0 ? "; not checked: " : ", ") + report.unchecked[i];
    return line;
}

std::vector<std::string> reportLines(const VerifyReport& report) {
    std::vector<std::string> lines = report.inexact;
    if (report.moreInexact > 0)
        lines.push_back("... and " + counted(report.moreInexact, "more record", "more records") +
                        " that cannot be made again exactly");
    lines.insert(lines.end(), report.notes.begin(), report.notes.end());
    lines.insert(lines.end(), report.differences.begin(), report.differences.end());
    if (report.moreDifferences > 0)
        lines.push_back("... and " +
                        counted(report.moreDifferences, "more difference", "more differences"));
    lines.push_back(closingLine(report));
    return lines;
}

std::string recordPlace(long long index, long long line) {
    return "record " + IntToStr(index) + " (line " + IntToStr(line) + ")";
}

std::string differenceLine(std::string_view place, std::string_view field, std::string_view found,
                           std::string_view expected) {
    std::string line(place);
    line += ": ";
    line += field;
    if (!found.empty() || !expected.empty()) {
        line += ": found ";
        line += found;
        line += ", expected ";
        line += expected;
    }
    return line;
}

std::string shownText(std::string_view text) {
    // Appended, not added up, which GCC 12 would flag falsely.
    std::string shown(1, '"');
    shown += text.size() <= kShownChars ? text : text.substr(0, kShownChars - 3);
    shown += text.size() <= kShownChars ? "\"" : "...\"";
    return shown;
}

}  // namespace mirvok
