#include "model/step.hpp"

#include <cmath>
#include <cstddef>

#include "base/errors.hpp"
#include "model/coincidence.hpp"

namespace mirvok {
namespace {

// A step writes entry curStep of both traces and reads or sets that flag of
// both trains. A reset that failed after it set Nsteps (a start volume that
// does not convert) leaves them at the length of the earlier run, so the
// step checks them all, not only Nsteps. A step without traces needs only
// the trains.
template <bool kTraced>
bool stepFits(const SimState& s) {
    const int k = s.curStep;
    if (k < 0 || k >= s.Nsteps) return false;
    const auto i = static_cast<std::size_t>(k);
    if (kTraced && (i >= s.V1trace.size() || i >= s.V2trace.size())) return false;
    return i < s.inTrain.size() && i < s.outTrain.size();
}

// Volumes driven far below 0 by rates out of all proportion overflow here;
// that raises the floating-point overflow, naming the rate the operation
// read, instead of letting an infinity in.
[[noreturn]] void volumeFailed(double volume, RunValue rate) {
    if (std::isnan(volume)) throw EInvalidOp();
    throw RateOverflow(rate);
}

double checkedVolume(double volume, RunValue rate) {
    if (!std::isfinite(volume)) volumeFailed(volume, rate);
    return volume;
}

double refill(double volume, double rate, RunValue which) {
    const double v = checkedVolume(0.5 * rate + volume, which);
    return v > 1.0 ? 1.0 : v;
}

double deplete(double volume, double fraction, RunValue which) {
    return checkedVolume((1.0 - fraction) * volume, which);
}

// The update itself, for a step already known to fit. Rates is ValueSource
// or the final LatchedRates, whose reads then inline.
template <bool kTraced, class Rates>
void updateFitting(SimState& s, Rates& rates) {
    const int k = s.curStep;
    s.dV = s.V1 - s.V2;
    s.matchFlag = coincides(s.V1, s.V2, s.dV, s.epsilon, s.boundaryTol);
    if constexpr (kTraced) {
        s.V1trace[k] = s.V1;
        s.V2trace[k] = s.V2;
    }
    const bool inputSpike = s.inTrain[k] != 0;
    if (s.matchFlag && inputSpike) {
        s.outSpikeSteps.push_back(k);
        s.outTrain[k] = 1;
    }
    s.V1 = refill(s.V1, rates.value(RunValue::Gamma1), RunValue::Gamma1);
    s.V2 = refill(s.V2, rates.value(RunValue::Gamma2), RunValue::Gamma2);
    if (inputSpike) {
        s.V1 = deplete(s.V1, rates.value(RunValue::Delta1), RunValue::Delta1);
        s.V2 = deplete(s.V2, rates.value(RunValue::Delta2), RunValue::Delta2);
    }
}

// Inlined into the loop of stepRepeatedly, where a call per step would cost
// a fifth of the step.
template <bool kTraced, class Rates>
[[gnu::always_inline]] inline StepOutcome stepWith(SimState& s, Rates& rates, RunHooks& hooks) {
    if (!stepFits<kTraced>(s)) return StepOutcome::Skipped;
    StepOutcome outcome = StepOutcome::Done;
    try {
        updateFitting<kTraced>(s, rates);
    } catch (const EConvertError&) {
        hooks.stopRun();
        hooks.rateFailed();
        outcome = StepOutcome::RateFailed;
    }
    if constexpr (kTraced) hooks.afterUpdate();
    ++s.curStep;
    if (s.curStep == s.Nsteps) hooks.stopRun();
    return outcome;
}

}  // namespace

void updateModel(SimState& s, ValueSource& rates) {
    if (stepFits<true>(s)) updateFitting<true>(s, rates);
}

StepOutcome stepSimulation(SimState& s, ValueSource& rates, RunHooks& hooks) {
    return stepWith<true>(s, rates, hooks);
}

StepOutcome stepSimulation(SimState& s, LatchedRates& rates, RunHooks& hooks) {
    return stepWith<true>(s, rates, hooks);
}

StepOutcome stepRepeatedly(SimState& s, LatchedRates& rates, RunHooks& hooks, int count) {
    for (int i = 0; i < count && s.curStep < s.Nsteps; ++i)
        if (stepWith<true>(s, rates, hooks) == StepOutcome::RateFailed)
            return StepOutcome::RateFailed;
    return StepOutcome::Done;
}

StepOutcome stepWithoutTraces(SimState& s, LatchedRates& rates, RunHooks& hooks) {
    return stepWith<false>(s, rates, hooks);
}

}  // namespace mirvok
