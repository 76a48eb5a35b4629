#include "text/number_parse.hpp"

#include <locale.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "base/checked_math.hpp"
#include "base/errors.hpp"

namespace mirvok {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

EConvertError notInteger(std::string_view text) {
    return EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

EConvertError notFloat(std::string_view text) {
    return EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

// Reads a run of digits into out; returns how many there were.
size_t copyDigits(std::string_view text, size_t& i, std::string& out) {
    size_t start = i;
    while (i < text.size() && isDigit(text[i])) out += text[i++];
    return i - start;
}

void skipBlanks(std::string_view text, size_t& i) {
    while (i < text.size() && isBlank(text[i])) ++i;
}

// The grammar checked by hand, rewritten into the C locale's form so that
// the conversion never depends on the process locale.
bool normaliseFloat(std::string_view text, char sep, std::string& out) {
    size_t i = 0;
    skipBlanks(text, i);
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
    size_t digits = copyDigits(text, i, out);
    if (i < text.size() && text[i] == sep) {
        ++i;
        out += '.';
        digits += copyDigits(text, i, out);
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        out += text[i++];
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) out += text[i++];
        if (copyDigits(text, i, out) == 0) return false;
    }
    skipBlanks(text, i);
    return i == text.size();
}

locale_t cLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

}  // namespace

int StrToInt(std::string_view text) {
    size_t i = 0;
    skipBlanks(text, i);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    size_t digits = 0;
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                     : std::numeric_limits<int>::max();
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) throw notInteger(text);
    }
    skipBlanks(text, i);
    if (digits == 0 || i != text.size()) throw notInteger(text);
    return static_cast<int>(negative ? -value : value);
}

long double StrToFloat(std::string_view text, char decimalSeparator) {
    std::string normal;
    if (!normaliseFloat(text, decimalSeparator, normal)) throw notFloat(text);
    long double value = strtold_l(normal.c_str(), nullptr, cLocale());
    if (std::isinf(value)) throw notFloat(text);
    return value;
}

double StrToDouble(std::string_view text, char decimalSeparator) {
    return toDouble(StrToFloat(text, decimalSeparator));
}

}  // namespace mirvok
