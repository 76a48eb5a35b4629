// Provenance files: any bytes are a list of entries or refused with an
// Error, and the entries read are what they read back as once written.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/errors.hpp"
#include "records/provenance.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<mirvok::Provenance> entries;
    try {
        entries = mirvok::parseProvenance(text);
    } catch (const mirvok::Error&) {
        return 0;
    }
    std::string written = "[";
    for (const mirvok::Provenance& entry : entries)
        written += (written.size() > 1 ? ",\n" : "\n") + mirvok::provenanceEntry(entry);
    written += "\n]\n";
    if (mirvok::parseProvenance(written) != entries) __builtin_trap();
    return 0;
}
