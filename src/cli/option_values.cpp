#include "cli/option_values.hpp"

#include <string>

#include "base/errors.hpp"
#include "cli/option_error.hpp"
#include "system/cpu_count.hpp"
#include "system/machine_memory.hpp"
#include "text/number_parse.hpp"
#include "trains/random/random_source.hpp"

namespace mirvok::cli {

int intOption(std::string_view option, std::string_view text) {
    try {
        return StrToInt(text);
    } catch (const Error& e) {
        throw optionError(option, e.what());
    }
}

double doubleOption(std::string_view option, std::string_view text) {
    try {
        return StrToDouble(text, '.');
    } catch (const Error& e) {
        throw optionError(option, e.what());
    }
}

int runLengthOption(std::string_view text) {
    const int ms = intOption("--time", text);
    try {
        stepsForRunLength(ms, physicalMemoryBytes());
    } catch (const Error& e) {
        throw optionError("--time", e.what());
    }
    return ms;
}

ModelValues toModelValues(const ModelTexts& t) {
    ModelValues v;
    v.reset.time = runLengthOption(t.time);
    v.reset.memory = physicalMemoryBytes();
    v.reset.v1 = doubleOption("--v1-start", t.v1Start);
    v.reset.v2 = doubleOption("--v2-start", t.v2Start);
    v.reset.eps = doubleOption("--epsilon", t.epsilon);
    v.reset.tol = doubleOption("--boundary-tol", t.boundaryTol);
    v.rates.g1 = doubleOption("--gamma1", t.gamma1);
    v.rates.d1 = doubleOption("--delta1", t.delta1);
    v.rates.g2 = doubleOption("--gamma2", t.gamma2);
    v.rates.d2 = doubleOption("--delta2", t.delta2);
    return v;
}

FixedAnalysisParams toAnalysisParams(const AnalysisTexts& t) {
    FixedAnalysisParams p;
    p.ignSteps = intOption("--ign", t.ign);
    p.rangeIntervals = intOption("--range", t.range);
    p.c0Value = doubleOption("--c0", t.c0);
    return p;
}

std::uint64_t seedOption(const std::optional<std::string>& text) {
    if (!text) return clockSeed();
    const int seed = intOption("--seed", *text);
    if (seed < 0) throw optionError("--seed", "'" + *text + "' is not a valid seed");
    return static_cast<std::uint64_t>(seed);
}

int threadsOption(const std::optional<std::string>& text) {
    if (!text) return usableCpuCount();
    const int threads = intOption("--threads", *text);
    if (threads < 1) throw optionError("--threads", "'" + *text + "' is not a valid thread count");
    return threads;
}

}  // namespace mirvok::cli
