#pragma once

#include <vector>

#include "ui/results/results_data.hpp"

namespace mirvok::ui {

// What a train drawn in one piece from gamma intervals of mean meanMs and
// this shape should hold: the chance that an interval between two of its
// spikes is at most `steps` whole steps long.
//
// Spike times are drawn in continuous time and put on the step they fall
// in, and the fraction of a step carries on to the next interval, so an
// interval X (in steps) becomes floor(phase + X) steps, phase being where
// the previous spike lay in its step. Over a long train that phase is
// spread evenly, which makes the chance exactly the integral of the gamma
// distribution function F over [steps, steps + 1]: rounding adds no
// quarter-millisecond shift, and two spikes can share one step (0 steps).
// The first spike, and a clamp that keeps it off step 0, change one
// interval at most and are left out. A train starts at phase 0, and a very
// regular one whose mean is a whole number of steps spreads its phase only
// slowly: a short train at CV 0.0001 has a few more intervals one step off.
double intervalAtMost(double meanMs, double shape, long long steps);

// The expected count in every bin of the histogram: its intervals times the
// chance of each bin. Empty when meanMs or shape is not a finite positive
// value, or the chances cannot be computed.
std::vector<double> expectedCounts(const IntervalHistogram& histogram, double meanMs, double shape);

}  // namespace mirvok::ui
