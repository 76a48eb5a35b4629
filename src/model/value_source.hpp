#pragma once

#include <cstddef>
#include <cstdint>

namespace mirvok {

// The values a run reads: the model's at its reset and at its steps, and
// those of its analysis. Each row of the value table that a run reads names
// its key here; the front ends answer for a key from that row.
enum class RunValue {
    Time,         // run length in ms, a whole number
    V1Start,      // start volume of compartment 1
    V2Start,      // start volume of compartment 2
    Epsilon,      // coincidence window
    BoundaryTol,  // boundary tolerance
    Gamma1,       // refill rate of compartment 1, read at every step
    Gamma2,       // refill rate of compartment 2, read at every step
    Delta1,       // fraction of V1 lost at an input spike, read at every step
    Delta2,       // fraction of V2 lost at an input spike, read at every step
    Ign,          // the analysis leaves out spikes up to this step, a whole number
    Range,        // intervals in one local window, a whole number
    C0,           // CV threshold of the scores; ends the list (kRunValues)
};

inline constexpr std::size_t kRunValues = static_cast<std::size_t>(RunValue::C0) + 1;

// Whether the steps read the value (the rates, which stand together): an
// edit acts from the next step on, where the others wait for the next run.
constexpr bool readByStep(RunValue key) {
    return key >= RunValue::Gamma1 && key <= RunValue::Delta2;
}

inline constexpr std::uint64_t kNoMemoryBound = 0;

// Where a run reads its values, each at the moment it needs it. The window
// converts a box in each read, so a box that does not convert throws from
// there, and the run ends where that read was made.
class ValueSource {
  public:
    virtual ~ValueSource() = default;
    // A whole number (Time, Ign, Range) arrives whole.
    virtual double value(RunValue key) = 0;
    // The memory the run may take, which is no value of the table: its
    // traces get at most half of it (kNoMemoryBound: no bound). The front end
    // hands it over, from the machine it runs on.
    virtual std::uint64_t memoryBytes() { return kNoMemoryBound; }
};

}  // namespace mirvok
