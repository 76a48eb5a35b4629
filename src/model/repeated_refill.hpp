#pragma once

namespace mirvok {

// One refill as the step makes it: volume + half the rate, capped at 1.
inline double refillOnce(double volume, double halfRate) {
    const double v = halfRate + volume;
    return v > 1.0 ? 1.0 : v;
}

// steps refills in a row, bit for bit what steps calls of refillOnce give
// (neither checks for overflow: the caller keeps the values where none can
// occur), in a few operations per binary order of magnitude the volume
// passes instead of one per step.
double refillRepeatedly(double volume, double halfRate, long long steps);

}  // namespace mirvok
