#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "values/value_texts.hpp"

namespace mirvok {

// The most points a sweep may have: each point writes files of its own.
inline constexpr long long kMostSweepPoints = 1000000;

// One varied value of a sweep: the name of its batch option and its values,
// each a text as it would be given to that option.
struct SweepAxis {
    std::string name;
    std::vector<std::string> texts;
};

// Reads "NAME=VALUES". NAME is the option of a row of the value table; VALUES a list
// "0.005,0.01,0.02" or an inclusive range "FROM:TO:STEP" (rangeTexts).
// Throws InputError naming what is wrong: no "=", an unknown name, no values,
// an empty entry of a list, a malformed range.
SweepAxis parseSweepAxis(std::string_view spec);

// The values of FROM:TO:STEP (STEP > 0): FROM + i * STEP for i = 0, 1, ...
// while not beyond TO, computed in decimal, not in binary floating point,
// and written with as many decimals as FROM or STEP has, whichever has more:
// 0.15:0.35:0.1 gives exactly "0.15", "0.25", "0.35". The three take plain
// decimals with an optional exponent (1e-3). Throws InputError.
std::vector<std::string> rangeTexts(std::string_view from, std::string_view to,
                                    std::string_view step);

// The product of the axes in the order given, the last varying fastest;
// points are numbered from 0.
class SweepGrid {
  public:
    // Refuses, with InputError, an axis whose name is varied already, an
    // axis without values and a grid beyond kMostSweepPoints.
    void add(SweepAxis axis);
    const std::vector<SweepAxis>& axes() const { return axes_; }
    int points() const { return points_; }
    // The text of every axis at point `point`, in axis order.
    std::vector<std::string> pointTexts(int point) const;

  private:
    std::vector<SweepAxis> axes_;
    int points_ = 1;
};

// The batch of point p: the base texts with the grid's values at p,
// converted and checked as batchSetupFrom does (throws ValueError).
BatchSetup gridSetup(const SweepGrid& grid, const NamedTexts& base,
                     std::span<const std::string> segments, int point);

// Checks every point as gridSetup does, one at a time, keeping none, so that
// a value any point would refuse is refused, with ValueError, before
// anything runs, in the memory of one point.
void checkGridSetups(const SweepGrid& grid, const NamedTexts& base,
                     std::span<const std::string> segments);

}  // namespace mirvok
