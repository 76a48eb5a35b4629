#include "text/printf_number.hpp"

#include <charconv>
#include <cstddef>

namespace mirvok {
namespace {

void appendPadded(std::string& out, const char* first, const char* last, int width) {
    auto length = static_cast<int>(last - first);
    if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
    out.append(first, last);
}

}  // namespace

void appendPaddedInt(std::string& out, long long value, int width) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    appendPadded(out, buf, res.ptr, width);
}

void appendFixed(std::string& out, double value, int decimals, int width) {
    // The largest double has 309 integer digits; 400 leaves room for the
    // sign, the point and the decimals the files use.
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    appendPadded(out, buf, res.ptr, width);
}

}  // namespace mirvok
