#include "ui/display/trace_columns.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mirvok::ui {
namespace {

int truncToInt(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0)) return -1;
    return static_cast<int>(value);
}

// The first step after k that lies in a later column than k's `column`.
long long nextColumnStart(long long k, int column, double spp, long long end) {
    // Estimate from the scale, then correct by the exact rule.
    long long next = std::max(k + 1, static_cast<long long>(std::ceil((column + 1) * spp)));
    while (next > k + 1 && stepColumn(static_cast<double>(next - 1), spp) > column) --next;
    while (next < end && stepColumn(static_cast<double>(next), spp) <= column) ++next;
    return std::min(next, end);
}

ColumnExtent scanColumn(const double* values, long long k, long long stop, int column) {
    double low = values[k];
    double high = low;
    for (long long i = k + 1; i < stop; ++i) {
        low = values[i] < low ? values[i] : low;
        high = values[i] > high ? values[i] : high;
    }
    return {column, k, stop - 1, values[k], low, high, values[stop - 1]};
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

std::vector<Point> columnsPolyline(const std::vector<ColumnExtent>& columns, int height) {
    std::vector<Point> points{{0, height - 1}};
    points.reserve(1 + 4 * columns.size());
    for (const ColumnExtent& c : columns) {
        points.push_back({c.x, volumeRow(c.first, height)});
        if (c.lastStep > c.firstStep) {
            // A lower volume is a lower point, i.e. a larger row.
            points.push_back({c.x, volumeRow(c.low, height)});
            points.push_back({c.x, volumeRow(c.high, height)});
            points.push_back({c.x, volumeRow(c.last, height)});
        }
    }
    return points;
}

std::vector<Point> tracePolyline(const std::vector<double>& trace, int curStep,
                                 double stepsPerPixel, int height) {
    std::vector<ColumnExtent> columns;
    const long long end = std::min<long long>(curStep, static_cast<long long>(trace.size()));
    for (long long k = 1; k < end;) {
        const int column = stepColumn(static_cast<double>(k), stepsPerPixel);
        const long long stop = nextColumnStart(k, column, stepsPerPixel, end);
        columns.push_back(scanColumn(trace.data(), k, stop, column));
        k = stop;
    }
    return columnsPolyline(columns, height);
}

std::vector<long long> columnStarts(double spp, int width) {
    std::vector<long long> starts(static_cast<size_t>(std::max(width, 0)) + 1, 0);
    for (int c = 1; c <= width; ++c) {
        long long k = static_cast<long long>(std::ceil(c * spp));
        while (k > 0 && stepColumn(static_cast<double>(k - 1), spp) >= c) --k;
        while (stepColumn(static_cast<double>(k), spp) < c) ++k;
        starts[static_cast<size_t>(c)] = k;
    }
    return starts;
}

void TraceColumns::feed(long long k, double value, double stepsPerPixel, std::size_t traceSize) {
    if (k == 0) {
        columns_.clear();
        stepsPerPixel_ = stepsPerPixel;
        traceSize_ = traceSize;
        columnEnd_ = 0;
        next_ = 1;  // step 0 is not drawn
        return;
    }
    if (k != next_ || stepsPerPixel != stepsPerPixel_ || traceSize != traceSize_) {
        invalidate();
        return;
    }
    next_ = k + 1;
    if (k < columnEnd_) {
        ColumnExtent& c = columns_.back();
        c.low = value < c.low ? value : c.low;
        c.high = value > c.high ? value : c.high;
        c.last = value;
        c.lastStep = k;
        return;
    }
    const int column = stepColumn(static_cast<double>(k), stepsPerPixel);
    columnEnd_ = nextColumnStart(k, column, stepsPerPixel, std::numeric_limits<long long>::max());
    columns_.push_back({column, k, k, value, value, value, value});
}

void TraceColumns::invalidate() {
    next_ = -1;
    columns_.clear();
}

bool TraceColumns::describes(const std::vector<double>& trace, int curStep,
                             double stepsPerPixel) const {
    if (next_ < 1 || next_ != std::max(curStep, 1) || stepsPerPixel != stepsPerPixel_ ||
        trace.size() != traceSize_)
        return false;
    for (const ColumnExtent& c : columns_) {
        if (static_cast<size_t>(c.lastStep) >= trace.size()) return false;
        if (trace[static_cast<size_t>(c.firstStep)] != c.first ||
            trace[static_cast<size_t>(c.lastStep)] != c.last)
            return false;
    }
    return true;
}

}  // namespace mirvok::ui
