#pragma once

#include <cstdint>

namespace mirvok {

// The seed of point p of a sweep seeded S, both seeds in 0 .. 2147483647
// (what `batch --seed` takes), so that `batch --seed <point seed>` with the
// point's values makes the point's batch again:
//
//   pointSeed(S, p) = mix31((mix31(S) + p) mod 2^31)
//
// where mix31 is a one-to-one scramble of 31-bit integers, all arithmetic
// modulo 2^31:
//
//   x ^= x >> 16;  x *= 0x2C1B3C6D;  x ^= x >> 12;  x *= 0x297A2D39;  x ^= x >> 15
//
// Because mix31 is one-to-one, the points of one sweep never share a seed,
// and sweeps with nearby seeds (1, 2, 3) get unrelated point seeds.
std::uint64_t pointSeed(std::uint64_t sweepSeed, int point);

}  // namespace mirvok
