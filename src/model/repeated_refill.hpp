#pragma once

namespace mirvok {

// One refill as the step makes it: volume + half the rate, capped at 1.
inline double refillOnce(double volume, double halfRate) {
    const double v = halfRate + volume;
    return v > 1.0 ? 1.0 : v;
}

// steps refills in a row, bit for bit what steps calls of refillOnce give,
// in a few operations per binary order of magnitude the volume passes
// instead of one per step. For the finite values the untraced loop allows
// (|volume|, |halfRate| <= 1e300): nothing here can overflow.
double refillRepeatedly(double volume, double halfRate, long long steps);

}  // namespace mirvok
