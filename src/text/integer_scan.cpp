#include "text/integer_scan.hpp"

#include <climits>

namespace mirvok {
namespace {

// One past the largest magnitude an int holds: enough to tell every value
// beyond the range from those inside it.
constexpr long long kBeyondInt = static_cast<long long>(INT_MAX) + 2;

}  // namespace

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void StepAccumulator::addDigit(char digit) {
    if (magnitude_ < kBeyondInt) magnitude_ = magnitude_ * 10 + (digit - '0');
}

int StepAccumulator::value() const {
    if (negative_)
        return magnitude_ > -static_cast<long long>(INT_MIN) ? INT_MIN
                                                             : static_cast<int>(-magnitude_);
    return magnitude_ > INT_MAX ? INT_MAX : static_cast<int>(magnitude_);
}

bool scanStep(std::string_view text, std::size_t& pos, int& value) {
    std::size_t i = pos;
    while (i < text.size() && isWhiteSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !isDigit(text[i])) return false;
    StepAccumulator step(negative);
    for (; i < text.size() && isDigit(text[i]); ++i) step.addDigit(text[i]);
    value = step.value();
    pos = i;
    return true;
}

}  // namespace mirvok
