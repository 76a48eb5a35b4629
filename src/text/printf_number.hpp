#pragma once

#include <string>

namespace mirvok {

// The number texts of the data files, exactly as C's printf writes them in
// the "C" locale, but built with std::to_chars so that the process locale
// (which the window sets) can never change the separator.

// "%*d": decimal digits with a leading minus, right-aligned in at least
// width characters; wider numbers are written in full.
void appendPaddedInt(std::string& out, long long value, int width);

// "%*.*f": fixed notation with `decimals` decimals and a full stop,
// right-aligned in at least width characters.
void appendFixed(std::string& out, double value, int decimals, int width);

}  // namespace mirvok
