#pragma once

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sweep/sweep_folder.hpp"

namespace mirvok {

// Whether the provenance of a summary (whole or part) names the sweep of
// this fingerprint: only then are its rows this sweep's to take.
bool summaryNamesSweep(const std::string& summary, const std::string& id);

// Takes the rows of a part summary's text into rows (indexed by point, sized
// to the sweep's points): false, unless the text is the header followed by
// one whole row for each of the part's points in order, each starting with
// its point number. An empty header is set to the text's; a header given
// must be the text's.
bool takePartRows(std::string_view text, const SweepPart& part, std::string& header,
                  std::vector<std::string>& rows);

// The number of parts N of the folder's complete split among its part
// summaries (SweepFolder::partSummaries): all of its summary.part-K-of-N.csv
// are there. Throws Error naming the summaries missing of the most complete
// split, or saying there are none.
int completeSplit(const SweepFolder& folder, const std::map<int, std::set<int>>& parts);

// The summary of the whole sweep from the folder's N part summaries, the
// same bytes as the sweep run whole. Throws Error naming the summaries whose
// provenance names another sweep, or the first that does not hold its
// part's points, each row whole and this sweep's (isRowOf).
std::string joinParts(const SweepFolder& folder, const SweepDescription& description, int n);

// Writes summary.csv of the folder from its parts, or from the rows of all
// its points when it holds no part summaries (a sweep run as one part), with
// its provenance, and returns its name; nothing is written when a check
// fails. Throws FileError when there is no sweep.json, and as description(),
// completeSplit and joinParts do.
std::string joinSweep(const SweepFolder& folder, const std::string& program,
                      std::chrono::system_clock::time_point started);

}  // namespace mirvok
