#include "ui/trace_columns.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mirvok::ui {
namespace {

int truncToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return -1;
    return static_cast<int>(value);
}

// The first step of the column after the one step `k` lies in.
long long nextColumnStart(long long k, int column, double spp, long long end) {
    // Estimate from the scale, then correct by the exact rule.
    long long next = std::max(k + 1, static_cast<long long>(std::ceil((column + 1) * spp)));
    while (next > k + 1 && stepColumn(static_cast<double>(next - 1), spp) > column) --next;
    while (next < end && stepColumn(static_cast<double>(next), spp) <= column) ++next;
    return std::min(next, end);
}

}  // namespace

int stepColumn(double k, double stepsPerPixel) {
    return truncToInt(k / stepsPerPixel);
}

int volumeRow(double v, int height) {
    const double row = (1.0 - v / 1.01) * height - 1.0;
    if (std::isnan(row)) return std::numeric_limits<int>::min();
    if (row >= 2147483647.0) return std::numeric_limits<int>::max();
    if (row <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(row);
}

std::vector<Point> tracePolyline(const std::vector<double>& trace, int curStep,
                                 double stepsPerPixel, int height) {
    std::vector<Point> points{{0, height - 1}};
    const long long end = std::min<long long>(curStep, static_cast<long long>(trace.size()));
    long long k = 1;
    while (k < end) {
        const int column = stepColumn(static_cast<double>(k), stepsPerPixel);
        const long long stop = nextColumnStart(k, column, stepsPerPixel, end);
        const double* values = trace.data();
        double low = values[k];
        double high = low;
        for (long long i = k + 1; i < stop; ++i) {
            low = values[i] < low ? values[i] : low;
            high = values[i] > high ? values[i] : high;
        }
        points.push_back({column, volumeRow(values[k], height)});
        if (stop - k > 1) {
            // A lower volume is a lower point, i.e. a larger row.
            points.push_back({column, volumeRow(low, height)});
            points.push_back({column, volumeRow(high, height)});
            points.push_back({column, volumeRow(values[stop - 1], height)});
        }
        k = stop;
    }
    return points;
}

}  // namespace mirvok::ui
