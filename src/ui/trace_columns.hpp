#pragma once

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

// The polyline of a volume trace: from (0, height - 1) through the points of
// steps 1 .. curStep - 1. Consecutive steps in one pixel column are reduced to
// the first, lowest, highest and last of them, which draws the same pixels
// with at most four points per column, however long the run.
std::vector<Point> tracePolyline(const std::vector<double>& trace, int curStep,
                                 double stepsPerPixel, int height);

}  // namespace mirvok::ui
