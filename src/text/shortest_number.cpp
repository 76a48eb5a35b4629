#include "text/shortest_number.hpp"

#include <charconv>
#include <cmath>

namespace mirvok {

std::string shortestNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace mirvok
