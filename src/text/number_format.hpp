#pragma once

#include <string>
#include <string_view>

namespace mirvok {

// Numbers to text, as the window writes them. The window passes its locale's
// decimal separator; files never use these (they are written printf-style
// with the full stop, see the result file format).

// Decimal digits, a leading minus for negatives.
std::string IntToStr(long long value);

// A count and the words that follow it in a message, in the singular for 1
// and the plural otherwise: counted(1, "record") is "1 record", counted(3,
// "record") "3 records", counted(n, "record was", "records were") where the
// plural is more than an added s.
std::string counted(long long n, std::string_view one, std::string_view many);
std::string counted(long long n, std::string_view one);

// At most 15 significant digits, trailing zeros dropped, no separator for
// whole values. Exponent form ("1.5E-5", "2E20") only where fixed form
// cannot show the value: 15 or more integer digits, or below 0.0001.
std::string FloatToStr(double value, char decimalSeparator);

// Fixed notation with exactly `decimals` decimals, the value first rounded to
// 10 significant digits (precision 10); exponent form beyond 10 integer digits.
std::string FloatToStrF(double value, int decimals, char decimalSeparator);

}  // namespace mirvok
