#pragma once

#include <cstddef>
#include <vector>

namespace mirvok::ui {

// A point of a drawing, in pixels of its area.
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// The display's horizontal scale: step k at column trunc(k / stepsPerPixel).
// Columns that do not fit a 32-bit integer are reported as -1 (never visible).
int stepColumn(double k, double stepsPerPixel);

// The display's vertical scale for a volume in an area `height` rows high:
// trunc((1 - v / 1.01) * height - 1), clamped to a 32-bit integer.
int volumeRow(double v, int height);

// The first step of every column 0 .. width (the last entry ends column
// width - 1): entry c is the smallest step k >= 0 with stepColumn(k) >= c.
std::vector<long long> columnStarts(double stepsPerPixel, int width);

// The steps of a trace that fall into one pixel column: the values of the
// first and last of them, the lowest and highest value, and their count.
struct ColumnExtent {
    int x = 0;
    long long firstStep = 0;
    long long lastStep = 0;
    double first = 0.0;
    double low = 0.0;
    double high = 0.0;
    double last = 0.0;
};

// The polyline of a volume trace: from (0, height - 1) through the points of
// steps 1 .. curStep - 1. Consecutive steps in one pixel column are reduced to
// the first, lowest, highest and last of them, which draws the same pixels
// with at most four points per column, however long the run.
std::vector<Point> tracePolyline(const std::vector<double>& trace, int curStep,
                                 double stepsPerPixel, int height);
std::vector<Point> columnsPolyline(const std::vector<ColumnExtent>& columns, int height);

// The column extents of one trace, fed step by step while a run records it,
// so that the redraw after a long run costs the width of the area, not the
// length of the run. Steps must be fed in order from step 0 on; feeding step 0
// starts afresh.
class TraceColumns {
  public:
    void feed(long long k, double value, double stepsPerPixel, std::size_t traceSize);
    void invalidate();

    // True when the extents describe steps 1 .. curStep - 1 of `trace` at this
    // scale: fed up to there, and every column's first and last value still
    // as the trace holds them (a trace rewritten by other means is noticed).
    bool describes(const std::vector<double>& trace, int curStep, double stepsPerPixel) const;
    const std::vector<ColumnExtent>& columns() const { return columns_; }

  private:
    std::vector<ColumnExtent> columns_;
    double stepsPerPixel_ = 0.0;
    std::size_t traceSize_ = 0;
    long long next_ = -1;      // the step to be fed next; -1: nothing valid
    long long columnEnd_ = 0;  // first step of the column after the last one
};

// Column extents of both volume traces, recorded as runs step.
struct TracesColumns {
    TraceColumns v1;
    TraceColumns v2;
};

}  // namespace mirvok::ui
