#pragma once

#include <cmath>

namespace mirvok {

// The coincidence test of a step on the volumes before its update: |dV|
// strictly inside the window, both volumes (as absolute values) inside
// [tol, 1 - tol], the bounds included.
inline bool coincides(double v1, double v2, double dV, double epsilon, double boundaryTol) {
    const double a1 = std::fabs(v1);
    const double a2 = std::fabs(v2);
    const double upper = 1.0 - boundaryTol;
    return std::fabs(dV) < epsilon && a1 >= boundaryTol && a2 >= boundaryTol && a1 <= upper &&
           a2 <= upper;
}

}  // namespace mirvok
