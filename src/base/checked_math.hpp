#pragma once

#include <cmath>

namespace mirvok {

[[noreturn]] void throwNonFinite(double value);

// Arithmetic that raises the system's floating-point errors instead of
// producing infinities or NaNs.

// num / den; a zero divisor throws EZeroDivide (EInvalidOp for 0/0), a
// result too large for a double throws EOverflow.
double checkedDivide(double num, double den);

// Passes a finite value through; NaN throws EInvalidOp, an infinity EOverflow.
// Inline: the generator checks every intermediate of every draw.
inline double checkedFinite(double value) {
    if (!std::isfinite(value)) throwNonFinite(value);
    return value;
}

// Rounds an extended value to double; throws EOverflow when it does not fit.
double toDouble(long double value);

}  // namespace mirvok
