#pragma once

#include <cstdint>
#include <string>

#include "records/provenance.hpp"

namespace mirvok::python {

// How a call made its result, as the FILE.json entry the command line writes
// for the same batch: the core's own entry, so that a result saved with
// np.savez or pickle keeps what made it, in the words of FILE.json.
class CallProvenance {
  public:
    // Started now, by this program, with these values (batchValuesJson).
    CallProvenance(std::string command, Json values);
    Provenance& entry() { return entry_; }
    // The entry stamped with its end and the runs made, as its JSON text.
    std::string text(long long runs);

  private:
    Provenance entry_;
};

// The program a Python call's entry names.
inline constexpr const char* kPythonProgram = "mirvok-python";

}  // namespace mirvok::python
