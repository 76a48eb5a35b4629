#pragma once

namespace mirvok {

// Arithmetic that raises the system's floating-point errors instead of
// producing infinities or NaNs.

// num / den; a zero divisor throws EZeroDivide (EInvalidOp for 0/0), a
// result too large for a double throws EOverflow.
double checkedDivide(double num, double den);

// Passes a finite value through; NaN throws EInvalidOp, an infinity EOverflow.
double checkedFinite(double value);

// Rounds an extended value to double; throws EOverflow when it does not fit.
double toDouble(long double value);

}  // namespace mirvok
