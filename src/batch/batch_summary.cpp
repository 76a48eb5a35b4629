#include "batch/batch_summary.hpp"

#include "base/checked_math.hpp"
#include "text/number_format.hpp"

namespace mirvok {
namespace {

std::string meanText(const char* label, double sum, int runs, char sep) {
    if (runs <= 0) return std::string(label) + "-";
    return label + FloatToStrF(checkedDivide(sum, static_cast<double>(runs)), 5, sep);
}

}  // namespace

std::string averageText(const BatchSums& sums, char decimalSeparator) {
    return meanText("avg: ", sums.resultSum, sums.runs, decimalSeparator);
}

std::string localAverageText(const BatchSums& sums, char decimalSeparator) {
    return meanText("avl: ", sums.localSum, sums.runs, decimalSeparator);
}

BatchSummaryTexts summaryTexts(const BatchSums& sums, const std::string& fileName,
                               char decimalSeparator) {
    return {"output: " + fileName, averageText(sums, decimalSeparator),
            localAverageText(sums, decimalSeparator)};
}

std::string interruptedAfter(long long done, long long total, const std::string& what) {
    return "interrupted after " + IntToStr(done) + " of " + IntToStr(total) + " " + what;
}

}  // namespace mirvok
