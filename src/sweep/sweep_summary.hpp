#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_iteration.hpp"
#include "records/record_columns.hpp"
#include "values/batch_setup.hpp"
#include "values/value_table.hpp"

namespace mirvok {

// The mean and the standard deviation of one result over the runs of a
// point, taken run by run in iteration order, so that they are the same
// whatever threads computed the runs.
class RunningStat {
  public:
    void add(double x);
    // The sum in iteration order over the runs; NaN without runs.
    double mean() const;
    // The sample standard deviation (divided by runs - 1); NaN below two
    // runs. The squares are taken about the first run's value, not summed
    // raw, so a spread small against the mean keeps its digits (in_spikes of
    // 1000 +- 0.5), in one pass over the runs.
    double sd() const;

  private:
    double sum_ = 0.0;
    double shift_ = 0.0;
    double shiftedSum_ = 0.0;
    double shiftedSquares_ = 0.0;
    long long runs_ = 0;
};

// The results of a point's runs that the summary gives, in column order:
// input spikes, input CV, output spikes, q, score and local score, each as
// the run computed it, before the record rounds it.
struct PointStats {
    RunningStat inSpikes, cv, outSpikes, q, score, localScore;
    int runs = 0;

    void add(const IterationOutcome& run);
};

// One summary line of a point.
struct PointRow {
    int point = 0;
    std::vector<NamedValue> varied;  // the point's value of every varied option
    std::uint64_t seed = 0;
    PointStats stats;
};

// The setup's values of the named options, in the order of the names.
std::vector<NamedValue> valuesNamed(const BatchSetup& setup, const std::vector<std::string>& names);

// The results a summary gives of each point, in column order, each with its
// mean and its standard deviation: the numbers of a record but its index,
// and the local score.
inline constexpr std::string_view kSummaryResults[] = {
    kRecordColumns[kInSpikes].name, kRecordColumns[kCv].name,    kRecordColumns[kOutSpikes].name,
    kRecordColumns[kQ].name,        kRecordColumns[kScore].name, "local_score"};
inline constexpr std::size_t kSummaryResultColumns = 2 * std::size(kSummaryResults);

// "in_spikes_mean", "in_spikes_sd", ..., "local_score_sd": the result columns
// of a summary, in order.
const std::vector<std::string>& sweepResultColumns();

// A value of an option as a summary and a command line write it: an integer
// option's whole, any other's shortest round-trip text with a full stop.
std::string optionValueText(std::string_view option, double value);

// "point,<varied names>,seed,runs,in_spikes_mean,in_spikes_sd,...,
// local_score_sd\n".
std::string summaryHeader(const std::vector<std::string>& variedNames);
// The line of a point, numbers as shortest round-trip texts with a full stop
// (integer options and counts as integers, NaN as "NaN"), ending in "\n".
std::string summaryRow(const PointRow& row);

}  // namespace mirvok
