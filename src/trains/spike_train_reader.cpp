#include "trains/spike_train_reader.hpp"

#include <algorithm>

#include "text/integer_scan.hpp"
#include "text/number_format.hpp"
#include "text/whole_file.hpp"

namespace mirvok {

std::vector<long long> parseSpikeTrainText(std::string_view text) {
    std::vector<long long> numbers;
    std::size_t i = 0;
    long long value = 0;
    // A comma belongs to the number only when it follows it directly.
    while (scanInteger(text, i, value)) {
        numbers.push_back(value);
        if (i < text.size() && text[i] == ',') ++i;
    }
    return numbers;
}

TrainLoad loadInputTrain(SimState& state, const std::vector<long long>& steps) {
    const int n = std::max(state.Nsteps, 0);
    state.inTrain.assign(static_cast<std::size_t>(n), 0);
    state.outTrain.assign(static_cast<std::size_t>(n), 0);
    state.inSpikeSteps.clear();
    TrainLoad load;
    for (const long long step : steps) {
        if (step < 0 || step >= n) {
            ++load.skipped;
            continue;
        }
        state.inSpikeSteps.push_back(static_cast<int>(step));
        state.inTrain[static_cast<std::size_t>(step)] = 1;
    }
    // Ascending, so that the analysis never sees a negative interval.
    std::stable_sort(state.inSpikeSteps.begin(), state.inSpikeSteps.end());
    load.stored = state.inSpikeSteps.size();
    return load;
}

std::string skippedStepsMessage(std::size_t skipped, int Nsteps) {
    return IntToStr(static_cast<long long>(skipped)) + " spike steps outside 0 to " +
           IntToStr(Nsteps - 1) + " were skipped";
}

std::optional<TrainLoad> readSpikeTrainFile(SimState& state, const std::string& path) {
    const std::optional<std::string> text = readFileIfExists(path);
    if (!text) return std::nullopt;
    return loadInputTrain(state, parseSpikeTrainText(*text));
}

}  // namespace mirvok
