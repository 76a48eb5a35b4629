#include "trains/random_source.hpp"

namespace mirvok {
namespace {

constexpr std::uint64_t kPcgMultiplier = 6364136223846793005ULL;

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

std::int32_t Pcg31::next() {
    const std::uint64_t old = state_;
    state_ = old * kPcgMultiplier + increment_;
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rot = static_cast<std::uint32_t>(old >> 59U);
    const std::uint32_t out = (xorShifted >> rot) | (xorShifted << ((32U - rot) & 31U));
    return static_cast<std::int32_t>(out >> 1U);
}

Pcg31 iterationSource(std::uint64_t seed, std::uint64_t iteration) {
    const std::uint64_t mixed = splitMix64(splitMix64(seed) ^ iteration);
    return Pcg31(splitMix64(mixed), splitMix64(mixed ^ 0xD1B54A32D192ED03ULL));
}

}  // namespace mirvok
