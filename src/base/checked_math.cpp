#include "base/checked_math.hpp"

#include <cmath>

#include "base/errors.hpp"

namespace mirvok {

double checkedDivide(double num, double den) {
    if (den == 0.0) {
        if (num == 0.0 || std::isnan(num)) throw EInvalidOp();
        throw EZeroDivide();
    }
    return checkedFinite(num / den);
}

void throwNonFinite(double value) {
    if (std::isnan(value)) throw EInvalidOp();
    throw EOverflow();
}

double toDouble(long double value) {
    return checkedFinite(static_cast<double>(value));
}

}  // namespace mirvok
