#include "model/untraced_stretch.hpp"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/coincidence.hpp"
#include "model/repeated_refill.hpp"

namespace mirvok {
namespace {

// While the volumes start within kSafe and the half rates within
// kSafeRate, no run of refills can leave the finite doubles: even 2^31 steps
// of the largest rate move a volume by less than kSafe. So the loop needs no
// check per step; only a depletion can overflow, and it is checked.
constexpr double kSafe = 1e300;
constexpr double kSafeRate = 1e290;

bool safe(double value) {
    return std::fabs(value) <= kSafe;
}

bool safeRate(double halfRate) {
    return std::fabs(halfRate) <= kSafeRate;
}

// The volumes of the loop: now, and at the start of the latest step run.
struct Volumes {
    double v1, v2;
    double last1, last2;
};

// The first step at or after k, before end, whose input flag is set, or
// end; eight flags at a time.
int nextInputSpike(const std::uint8_t* in, int k, int end) {
    for (; k + 8 <= end; k += 8) {
        std::uint64_t word;
        std::memcpy(&word, in + k, sizeof word);
        if (word == 0) continue;
        const int byte = std::endian::native == std::endian::little ? std::countr_zero(word) / 8
                                                                    : std::countl_zero(word) / 8;
        return k + byte;
    }
    while (k < end && in[k] == 0) ++k;
    return k;
}

// n >= 1 steps without an input spike: refills only.
void refillSteps(Volumes& vol, double h1, double h2, int n) {
    vol.last1 = refillRepeatedly(vol.v1, h1, n - 1);
    vol.last2 = refillRepeatedly(vol.v2, h2, n - 1);
    vol.v1 = refillOnce(vol.last1, h1);
    vol.v2 = refillOnce(vol.last2, h2);
}

// Leaves the state as the steps from first up to k left it.
void store(SimState& s, const Volumes& vol, int first, int k) {
    if (k > first) {
        s.dV = vol.last1 - vol.last2;
        s.matchFlag = coincides(vol.last1, vol.last2, s.dV, s.epsilon, s.boundaryTol);
    }
    s.V1 = vol.v1;
    s.V2 = vol.v2;
    s.curStep = k;
}

// A rate read through the latch, or false when the read fails: the exact
// step then reads it again and fails where it should.
bool read(LatchedRates& rates, RunValue rate, double& value) {
    try {
        value = rates.value(rate);
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace

// The rates are read in the order and at the first step the exact step
// would read them, so that a failing read, or a volume that leaves the safe
// range, hands over to the exact step with the same reads made.
bool advanceWithoutTraces(SimState& s, LatchedRates& rates, int end) {
    double g1 = 0.0;
    double g2 = 0.0;
    Volumes vol{s.V1, s.V2, s.V1, s.V2};
    if (!safe(vol.v1) || !read(rates, RunValue::Gamma1, g1) || !safeRate(0.5 * g1) ||
        !safe(vol.v2) || !read(rates, RunValue::Gamma2, g2) || !safeRate(0.5 * g2))
        return false;
    const double h1 = 0.5 * g1;
    const double h2 = 0.5 * g2;

    // The depletion factors 1 - delta, read at the first input spike.
    double d1 = 0.0;
    double d2 = 0.0;
    bool depletionRead = false;

    const std::uint8_t* in = s.inTrain.data();
    const int first = s.curStep;
    for (int k = first; k < end; ++k) {
        const int spike = nextInputSpike(in, k, end);
        if (spike > k) refillSteps(vol, h1, h2, spike - k);
        k = spike;
        if (k == end) break;
        const double refilled1 = refillOnce(vol.v1, h1);
        const double refilled2 = refillOnce(vol.v2, h2);
        const bool ready =
            depletionRead || (read(rates, RunValue::Delta1, d1) && safe((1.0 - d1) * refilled1) &&
                              read(rates, RunValue::Delta2, d2));
        const double next1 = (1.0 - d1) * refilled1;
        const double next2 = (1.0 - d2) * refilled2;
        if (!ready || !safe(next1) || !safe(next2)) {
            store(s, vol, first, k);
            return false;
        }
        depletionRead = true;
        if (coincides(vol.v1, vol.v2, vol.v1 - vol.v2, s.epsilon, s.boundaryTol)) {
            s.outSpikeSteps.push_back(k);
            s.outTrain[static_cast<std::size_t>(k)] = 1;
        }
        vol = {next1, next2, vol.v1, vol.v2};
    }
    store(s, vol, first, end);
    return true;
}

}  // namespace mirvok
