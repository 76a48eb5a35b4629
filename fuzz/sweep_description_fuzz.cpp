// sweep.json: any bytes describe a sweep or none, and a description written
// again is the same sweep with the same fingerprint.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sweep/sweep_description.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<mirvok::SweepDescription> description = mirvok::parseDescription(text);
    if (!description) return 0;
    const auto again = mirvok::parseDescription(mirvok::descriptionText(*description));
    if (!again || !mirvok::sameSweep(*again, *description) ||
        mirvok::fingerprint(*again) != mirvok::fingerprint(*description))
        __builtin_trap();
    return 0;
}
