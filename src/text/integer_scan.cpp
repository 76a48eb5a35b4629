#include "text/integer_scan.hpp"

#include <climits>

namespace mirvok {
namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool scanInteger(std::string_view text, std::size_t& pos, long long& value) {
    std::size_t i = pos;
    while (i < text.size() && isWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !isDigit(text[i])) return false;
    // Accumulated as a negative number, whose range reaches LLONG_MIN.
    long long acc = 0;
    bool clamped = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (acc < (LLONG_MIN + digit) / 10) clamped = true;
        if (!clamped) acc = acc * 10 - digit;
    }
    if (clamped)
        value = negative ? LLONG_MIN : LLONG_MAX;
    else
        value = negative ? acc : (acc == LLONG_MIN ? LLONG_MAX : -acc);
    pos = i;
    return true;
}

}  // namespace mirvok
