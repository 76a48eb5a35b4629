#include "trains/spike_train_reader.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>

#include "text/errors.hpp"
#include "text/number_format.hpp"

namespace mirvok {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the digits at i. A value beyond what a long long holds is kept at
// its limit: it lies outside any run and is skipped like any other.
long long readDigits(std::string_view text, std::size_t& i) {
    constexpr long long kLimit = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        value = value > (kLimit - digit) / 10 ? kLimit : value * 10 + digit;
    }
    return value;
}

std::string readWholeFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) throw FileError::couldNotRead(path);
    std::string content;
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw FileError::couldNotRead(path);
    return content;
}

}  // namespace

std::vector<long long> parseSpikeTrainText(std::string_view text) {
    std::vector<long long> numbers;
    std::size_t i = 0;
    for (;;) {
        while (i < text.size() && isSpace(text[i])) ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
        if (i >= text.size() || !isDigit(text[i])) break;
        const long long value = readDigits(text, i);
        numbers.push_back(negative ? -value : value);
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
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (path.empty() || status.type() == std::filesystem::file_type::not_found) return std::nullopt;
    if (ec || std::filesystem::is_directory(status)) throw FileError::couldNotRead(path);
    const std::string text = readWholeFile(path);
    return loadInputTrain(state, parseSpikeTrainText(text));
}

}  // namespace mirvok
