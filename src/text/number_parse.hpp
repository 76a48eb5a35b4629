#pragma once

#include <string_view>

namespace mirvok {

// Text to numbers, as every box and option is read. The window passes its
// locale's decimal separator; files and the command line pass '.'.

// Optional blanks, optional sign, decimal digits, optional blanks; the value
// must fit a 32-bit signed integer. Otherwise throws EConvertError
// "'<text>' is not a valid integer value".
int StrToInt(std::string_view text);

// Optional blanks, optional sign, digits with at most one decimal separator
// (at least one digit), optional exponent (e or E, optional sign, digits),
// optional blanks. Anything else, and a value beyond the extended range,
// throws EConvertError "'<text>' is not a valid floating point value".
long double StrToFloat(std::string_view text, char decimalSeparator);

// StrToFloat rounded to double, the precision every model, generator and
// analysis value has. A value beyond the double range throws EOverflow.
double StrToDouble(std::string_view text, char decimalSeparator);

}  // namespace mirvok
