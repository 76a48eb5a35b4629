#pragma once

#include <string>

namespace mirvok {

// The running sums of a batch and the number of runs they hold.
struct BatchSums {
    double resultSum = 0.0;  // sum of analysisResult
    double localSum = 0.0;   // sum of localScoreMean
    int runs = 0;

    void add(double analysisResult, double localScoreMean) {
        resultSum += analysisResult;
        localSum += localScoreMean;
        ++runs;
    }
};

// The three status texts a batch shows when it ends.
struct BatchSummaryTexts {
    std::string output;  // "output: <name>"          (panel 1)
    std::string avg;     // "avg: <mean analysisResult>"  (panel 3)
    std::string avl;     // "avl: <mean localScoreMean>"  (panel 4)
};

// The means divide by the runs actually made (so a changed iteration count
// or a replay of any length still gives true means), written fixed with 5
// decimals and the given separator; with no run made they read "avg: -" and
// "avl: -".
std::string averageText(const BatchSums& sums, char decimalSeparator);
std::string localAverageText(const BatchSums& sums, char decimalSeparator);
BatchSummaryTexts summaryTexts(const BatchSums& sums, const std::string& fileName,
                               char decimalSeparator);

// How far a stopped job got: "interrupted after 120 of 1000 runs" (what:
// "runs", "points").
std::string interruptedAfter(long long done, long long total, const std::string& what);

}  // namespace mirvok
