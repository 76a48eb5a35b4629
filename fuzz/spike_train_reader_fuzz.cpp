// Spike-train text: parse any bytes, load the numbers into a small run, and
// check that the train is consistent and nothing outside it was touched.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/sim_state.hpp"
#include "trains/spike_train_reader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the run length, the rest is the file's text.
    mirvok::SimState state;
    state.Nsteps = data[0] % 64;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto numbers = mirvok::parseSpikeTrainText(text);
    const auto load = mirvok::loadInputTrain(state, numbers);

    const auto n = static_cast<std::size_t>(state.Nsteps);
    if (load.stored + load.skipped != numbers.size()) __builtin_trap();
    if (state.inSpikeSteps.size() != load.stored) __builtin_trap();
    if (state.inTrain.size() != n || state.outTrain.size() != n) __builtin_trap();
    if (!std::is_sorted(state.inSpikeSteps.begin(), state.inSpikeSteps.end())) __builtin_trap();
    for (int k : state.inSpikeSteps) {
        if (k < 0 || static_cast<std::size_t>(k) >= n) __builtin_trap();
        if (state.inTrain[static_cast<std::size_t>(k)] != 1) __builtin_trap();
    }
    if (std::count(state.outTrain.begin(), state.outTrain.end(), 0) !=
        static_cast<std::ptrdiff_t>(n))
        __builtin_trap();
    return 0;
}
