#include "call_provenance.hpp"

#include <chrono>
#include <utility>

namespace mirvok::python {

CallProvenance::CallProvenance(std::string command, Json values)
    : entry_(provenanceOf(kPythonProgram, std::move(command), std::move(values))) {
    entry_.started = std::chrono::system_clock::now();
}

std::string CallProvenance::text(long long runs) {
    entry_.ended = std::chrono::system_clock::now();
    entry_.runs = runs;
    return provenanceEntry(entry_);
}

}  // namespace mirvok::python
