#pragma once

#include <cstdint>

#include "random/random_source.hpp"

namespace mirvok {

// The double nearest to 1/2147483647.
inline constexpr double kUniformQ = 4.656612875245797e-10;

// k*q for a draw k > 0, formed in extended precision and then stored as a
// double: k = 2147483647 gives exactly 1.
inline double uniformOfDraw(std::int32_t k) {
    return static_cast<double>(static_cast<long double>(k) * static_cast<long double>(kUniformQ));
}

// k*q for a draw k > 0 (a draw of 0 is drawn again); in (0, 1], 1 included.
double uniformVariate(RandomSource& source);

// 0 without drawing when n = 0; otherwise a draw modulo n, never negative.
int randomInt(RandomSource& source, int n);

// -theta * ln U.
double exponentialVariate(RandomSource& source, double theta);

// Ahrens and Dieter's GS, for 0 < a < 1.
double gammaVariateBelowOne(RandomSource& source, double theta, double a);

// Cheng and Feast's GKM1, for a > 1.
double gammaVariateAboveOne(RandomSource& source, double theta, double a);

// Scale theta, shape a: GS below 1, exponential at exactly 1, GKM1 above.
// Arithmetic that would overflow, divide by zero or be invalid throws the
// matching EMathError; the generator draws again.
double gammaVariate(RandomSource& source, double theta, double a);

// The same variate from the same draws, with the draw inlined: the
// generator's path when its source is the program's Pcg31.
double gammaVariate(Pcg31& source, double theta, double a);

}  // namespace mirvok
