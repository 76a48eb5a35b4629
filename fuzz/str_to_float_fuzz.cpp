// Number texts as every box is read: any bytes, both decimal separators.
// Either a finite value comes back or the conversion error is thrown.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/errors.hpp"
#include "text/number_parse.hpp"

namespace {

void convert(std::string_view text, char separator) {
    try {
        const long double value = mirvok::StrToFloat(text, separator);
        if (!std::isfinite(value)) __builtin_trap();
    } catch (const mirvok::EConvertError&) {
        return;
    }
    try {
        const double rounded = mirvok::StrToDouble(text, separator);
        if (!std::isfinite(rounded)) __builtin_trap();
    } catch (const mirvok::EOverflow&) {
        // Beyond the double range, inside the extended one.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    convert(text, '.');
    convert(text, ',');
    return 0;
}
