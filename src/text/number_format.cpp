#include "text/number_format.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace mirvok {
namespace {

// The value rounded to `significant` digits: the digit string without a
// point or trailing zeros, and the power of ten of its first digit.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal(double value, int significant) {
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, significant - 1);
    std::string text(buf, res.ptr);
    Decimal d;
    size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    size_t e = text.find('e');
    for (; i < e; ++i)
        if (text[i] != '.') d.digits += text[i];
    d.exponent = std::atoi(text.c_str() + e + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

double fromDecimal(const Decimal& d) {
    std::string text = (d.negative ? "-" : "") + d.digits + "e" +
                       std::to_string(d.exponent - static_cast<int>(d.digits.size()) + 1);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string nonFinite(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string exponentForm(const Decimal& d, char sep) {
    std::string out = d.negative ? "-" : "";
    out += d.digits[0];
    if (d.digits.size() > 1) out += sep + d.digits.substr(1);
    return out + "E" + std::to_string(d.exponent);
}

std::string fixedForm(const Decimal& d, char sep) {
    std::string out = d.negative ? "-" : "";
    if (d.exponent < 0) {
        out += "0";
        out += sep;
        out += std::string(-d.exponent - 1, '0') + d.digits;
        return out;
    }
    size_t intDigits = static_cast<size_t>(d.exponent) + 1;
    if (d.digits.size() <= intDigits)
        return out + d.digits + std::string(intDigits - d.digits.size(), '0');
    return out + d.digits.substr(0, intDigits) + sep + d.digits.substr(intDigits);
}

}  // namespace

std::string IntToStr(long long value) {
    return std::to_string(value);
}

std::string counted(long long n, std::string_view one, std::string_view many) {
    return IntToStr(n) + " " + std::string(n == 1 ? one : many);
}

std::string counted(long long n, std::string_view one) {
    return counted(n, one, std::string(one) + "s");
}

std::string FloatToStr(double value, char decimalSeparator) {
    if (!std::isfinite(value)) return nonFinite(value);
    if (value == 0.0) return "0";
    Decimal d = toDecimal(value, 15);
    if (d.exponent >= 15 || d.exponent < -4) return exponentForm(d, decimalSeparator);
    return fixedForm(d, decimalSeparator);
}

std::string FloatToStrF(double value, int decimals, char decimalSeparator) {
    if (!std::isfinite(value)) return nonFinite(value);
    constexpr int precision = 10;
    if (value != 0.0) {
        Decimal d = toDecimal(value, precision);
        if (d.exponent >= precision) return exponentForm(d, decimalSeparator);
        // Precision 10 bounds the digits shown: round to 10 significant
        // digits first, then to the decimals asked for.
        if (d.exponent + 1 + decimals > precision) value = fromDecimal(d);
    }
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string out(buf, res.ptr);
    if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
    if (decimalSeparator != '.') {
        size_t point = out.find('.');
        if (point != std::string::npos) out[point] = decimalSeparator;
    }
    return out;
}

}  // namespace mirvok
