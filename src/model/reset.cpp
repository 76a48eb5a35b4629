#include "model/reset.hpp"

#include <algorithm>
#include <limits>
#include <new>

#include "base/errors.hpp"
#include "text/number_format.hpp"

namespace mirvok {
namespace {

InputError badRunLength(int timeMs) {
    return InputError("'" + IntToStr(timeMs) + "' is not a valid run length");
}

// Two traces of doubles and two trains of flags per step; allow them at
// most half of the memory, so a typo cannot push the machine into swapping
// or the kernel's out-of-memory killer. Unknown memory (0) sets no bound.
long long maxAffordableSteps(std::uint64_t memoryBytes) {
    if (memoryBytes == 0) return std::numeric_limits<int>::max();
    constexpr std::uint64_t bytesPerStep = 2 * sizeof(double) + 2 * sizeof(std::uint8_t);
    return static_cast<long long>(memoryBytes / 2 / bytesPerStep);
}

}  // namespace

int stepsForRunLength(int timeMs, std::uint64_t memoryBytes) {
    long long steps = 2LL * timeMs;
    if (timeMs < 0 || steps > std::numeric_limits<int>::max() ||
        steps > maxAffordableSteps(memoryBytes))
        throw badRunLength(timeMs);
    return static_cast<int>(steps);
}

int stepsOfRun(ValueSource& values) {
    return stepsForRunLength(static_cast<int>(values.value(RunValue::Time)), values.memoryBytes());
}

void resetSimulation(SimState& state, ValueSource& values, TraceKeeping traces) {
    const int timeMs = static_cast<int>(values.value(RunValue::Time));
    const int steps = stepsForRunLength(timeMs, values.memoryBytes());
    const bool keep = traces == TraceKeeping::Every;

    // Allocate longer traces before any field changes, so that a run length
    // that does not fit leaves the state as it was.
    std::vector<double> v1trace, v2trace;
    const size_t have = std::min(state.V1trace.capacity(), state.V2trace.capacity());
    if (keep && static_cast<size_t>(steps) > have) {
        try {
            v1trace.reserve(steps);
            v2trace.reserve(steps);
        } catch (const std::bad_alloc&) {
            throw badRunLength(timeMs);
        }
    }

    state.Nsteps = steps;
    state.V1 = values.value(RunValue::V1Start);
    state.V2 = values.value(RunValue::V2Start);
    state.curStep = 0;
    state.matchFlag = false;
    state.spikeVari.clear();
    state.outSpikeSteps.clear();
    if (v1trace.capacity() >= static_cast<size_t>(steps)) {
        state.V1trace.swap(v1trace);
        state.V2trace.swap(v2trace);
    }
    state.V1trace.assign(keep ? steps : 0, 0.0);
    state.V2trace.assign(keep ? steps : 0, 0.0);
    state.epsilon = values.value(RunValue::Epsilon);
    state.boundaryTol = values.value(RunValue::BoundaryTol);
}

}  // namespace mirvok
