#include "batch/quantify.hpp"

#include "base/checked_math.hpp"
#include "random/random_variates.hpp"
#include "text/number_format.hpp"

namespace mirvok {

std::string quantifiedShapeText(RandomSource& source, bool zeroOne, char decimalSeparator) {
    if (zeroOne) return randomInt(source, 2) == 1 ? "1" : "100000";
    const double u = uniformVariate(source);
    return FloatToStr(checkedDivide(1.0, u * u), decimalSeparator);
}

}  // namespace mirvok
