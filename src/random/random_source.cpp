#include "random/random_source.hpp"

#include <chrono>

namespace mirvok {
namespace {

// SplitMix64's finaliser: spreads nearby inputs (seeds 1, 2, 3, iterations
// 0, 1, 2) over unrelated 64-bit values.
std::uint64_t splitMix64(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

}  // namespace

Pcg31::Pcg31(std::uint64_t seed, std::uint64_t stream)
    : state_(0), increment_((stream << 1U) | 1U) {
    // The reference seeding: one step, add the seed, one more step.
    next();
    state_ += seed;
    next();
}

void Pcg31::fill(std::int32_t* out, std::size_t n, BlockKernel kernel) {
    if (kernel == BlockKernel::Widest && n % 8 == 0 && wideBlocksAvailable()) {
        pcgFillWide(state_, increment_, kMultiplier, out, n);
        return;
    }
    // Four steps of s -> m*s + c are s -> m^4*s + c*(m^3 + m^2 + m + 1).
    constexpr std::uint64_t m = kMultiplier;
    constexpr std::uint64_t m4 = m * m * m * m;
    const std::uint64_t c4 = increment_ * (m * m * m + m * m + m + 1);
    std::uint64_t s0 = state_;
    std::uint64_t s1 = s0 * m + increment_;
    std::uint64_t s2 = s1 * m + increment_;
    std::uint64_t s3 = s2 * m + increment_;
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        out[i] = output(s0);
        out[i + 1] = output(s1);
        out[i + 2] = output(s2);
        out[i + 3] = output(s3);
        s0 = s0 * m4 + c4;
        s1 = s1 * m4 + c4;
        s2 = s2 * m4 + c4;
        s3 = s3 * m4 + c4;
    }
    state_ = s0;
    for (; i < n; ++i) out[i] = next();
}

void Pcg31::discard(std::uint64_t n) {
    // n steps of s -> m*s + c compose to s -> M*s + C; square the one-step
    // map while walking the bits of n (Brown, "Random number generation with
    // arbitrary strides", 1994), all modulo 2^64.
    std::uint64_t mul = 1;
    std::uint64_t add = 0;
    std::uint64_t stepMul = kMultiplier;
    std::uint64_t stepAdd = increment_;
    while (n > 0) {
        if ((n & 1U) != 0) {
            mul *= stepMul;
            add = add * stepMul + stepAdd;
        }
        stepAdd = (stepMul + 1) * stepAdd;
        stepMul *= stepMul;
        n >>= 1U;
    }
    state_ = mul * state_ + add;
}

Pcg31 iterationSource(std::uint64_t seed, std::uint64_t iteration) {
    const std::uint64_t mixed = splitMix64(splitMix64(seed) ^ iteration);
    return Pcg31(splitMix64(mixed), splitMix64(mixed ^ 0xD1B54A32D192ED03ULL));
}

std::uint64_t clockSeed() {
    const auto ns = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(ns) % 2147483648u;
}

}  // namespace mirvok
