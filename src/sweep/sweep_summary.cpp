#include "sweep/sweep_summary.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/shortest_number.hpp"

namespace mirvok {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string number(double value) {
    return std::isnan(value) ? "NaN" : shortestNumber(value);
}

void appendStat(std::string& line, const RunningStat& stat) {
    line += ',' + number(stat.mean()) + ',' + number(stat.sd());
}

}  // namespace

void RunningStat::add(double x) {
    if (runs_ == 0) shift_ = x;
    sum_ += x;
    shiftedSum_ += x - shift_;
    shiftedSquares_ += (x - shift_) * (x - shift_);
    ++runs_;
}

double RunningStat::mean() const {
    return runs_ == 0 ? kNaN : sum_ / static_cast<double>(runs_);
}

double RunningStat::sd() const {
    if (runs_ < 2) return kNaN;
    const auto n = static_cast<double>(runs_);
    const double squares = shiftedSquares_ - shiftedSum_ * shiftedSum_ / n;
    return std::sqrt(std::max(squares, 0.0) / (n - 1.0));
}

void PointStats::add(const IterationOutcome& run) {
    inSpikes.add(static_cast<double>(run.inSpikes));
    cv.add(run.results.isiCV);
    outSpikes.add(static_cast<double>(run.outSpikes));
    q.add(run.results.transmissionRatio);
    score.add(run.results.analysisResult);
    localScore.add(run.results.localScoreMean);
    ++runs;
}

std::vector<NamedValue> valuesNamed(const BatchSetup& setup,
                                    const std::vector<std::string>& names) {
    const std::vector<NamedValue> all = batchValues(setup);
    std::vector<NamedValue> out;
    for (const std::string& name : names)
        for (const NamedValue& value : all)
            if (value.name == name) out.push_back(value);
    return out;
}

const std::vector<std::string>& sweepResultColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> out;
        for (const std::string_view result : kSummaryResults)
            for (const char* stat : {"_mean", "_sd"}) out.push_back(std::string(result) + stat);
        return out;
    }();
    return columns;
}

std::string optionValueText(std::string_view option, double value) {
    const ValueRow* row = rowOfOption(option);
    if (row && row->kind == ValueKind::Integer)
        return std::to_string(static_cast<long long>(value));
    return number(value);
}

std::string summaryHeader(const std::vector<std::string>& variedNames) {
    std::string line = "point";
    for (const std::string& name : variedNames) line += ',' + name;
    line += ",seed,runs";
    for (const std::string& column : sweepResultColumns()) line += ',' + column;
    return line + '\n';
}

std::string summaryRow(const PointRow& row) {
    std::string line = std::to_string(row.point);
    for (const NamedValue& value : row.varied)
        line += ',' + optionValueText(value.name, value.value);
    line += ',' + std::to_string(row.seed) + ',' + std::to_string(row.stats.runs);
    const PointStats& s = row.stats;
    for (const RunningStat* stat :
         {&s.inSpikes, &s.cv, &s.outSpikes, &s.q, &s.score, &s.localScore})
        appendStat(line, *stat);
    return line + '\n';
}

}  // namespace mirvok
