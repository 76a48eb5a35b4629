#include "sweep/sweep_seeds.hpp"

namespace mirvok {
namespace {

constexpr std::uint64_t kMask = 0x7FFFFFFFULL;

std::uint64_t mix31(std::uint64_t x) {
    x &= kMask;
    x ^= x >> 16U;
    x = (x * 0x2C1B3C6DULL) & kMask;
    x ^= x >> 12U;
    x = (x * 0x297A2D39ULL) & kMask;
    x ^= x >> 15U;
    return x;
}

}  // namespace

std::uint64_t pointSeed(std::uint64_t sweepSeed, int point) {
    return mix31((mix31(sweepSeed) + static_cast<std::uint64_t>(point)) & kMask);
}

}  // namespace mirvok
