#pragma once

#include <QString>
#include <limits>
#include <optional>
#include <vector>

#include "sweep/sweep_table.hpp"

namespace mirvok::ui {

// What the sweep browser shows: one summary column against one varied value
// (a line per value of a second) or two (a heat map), every other varied
// value held at one of its values.
struct SweepChoice {
    int column = 0;  // of sweepResultColumns(); a mean comes with its sd
    bool heatMap = false;
    int x = 0;              // the varied value along x
    int second = -1;        // lines: one per value of it (-1: one line); heat map: along y
    std::vector<int> held;  // for each varied value: the index of the value held
};

// The choice made whole for the sweep: axes that exist and differ, a heat
// map only with two varied values, a held index for every one.
SweepChoice fittedChoice(const SweepDescription& description, SweepChoice choice);

// The varied values held (neither x nor second), in order.
std::vector<int> heldAxes(const SweepChoice& choice, std::size_t axes);

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

struct SweepPlotPoint {
    double x = 0.0;
    double value = 0.0;
    double sd = kNoValue;  // none for a column that is no mean
    int point = 0;
    bool afterGap = false;  // the point before it along x is not there
};

// One line: the points of one value of the second varied value (NaN: no
// second) that are there, along x.
struct SweepLine {
    double second = kNoValue;
    std::vector<SweepPlotPoint> points;
};
std::vector<SweepLine> sweepLines(const SweepTable& table, const SweepChoice& choice);

// The cells of a heat map, the rows along y, each along x; a cell without
// its point's row holds no value.
struct SweepCell {
    int point = 0;
    std::optional<double> value;
};
struct SweepHeatCells {
    std::vector<double> xs, ys;
    std::vector<SweepCell> cells;  // ys.size() rows of xs.size()
    double low = 0.0, high = 0.0;  // of the values there; equal when none
};
SweepHeatCells sweepHeatCells(const SweepTable& table, const SweepChoice& choice);

// "cv 0.3, gamma1 0.009" (the window's decimal separator).
QString pointValuesText(const SweepDescription& description, int point);
// What hovering a point shows: its values, the column (mean ± sd), its seed
// and runs; or that its row is not there yet, or damaged.
QString pointText(const SweepTable& table, int point, int column);

// The points shown as CSV, full stops: the x value (and the second's), the
// column (and its sd), point, seed, runs.
QString sweepCsv(const SweepTable& table, const SweepChoice& choice);

// The column's name as a person reads it: "q (mean ± sd)", "input CV (sd)";
// without the sd: "q (mean)".
QString columnTitle(int column, bool withSd = true);

}  // namespace mirvok::ui
