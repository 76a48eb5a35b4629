#pragma once

#include <string>

#include "random/random_source.hpp"

namespace mirvok {

// The random shape text of one quantified batch iteration. With zeroOne
// ("0--1" ticked): "1" when randomInt(2) gives 1, "100000" when it gives 0.
// Otherwise FloatToStr(1/u^2) with u = uniformVariate, written with the
// given separator.
std::string quantifiedShapeText(RandomSource& source, bool zeroOne, char decimalSeparator);

}  // namespace mirvok
