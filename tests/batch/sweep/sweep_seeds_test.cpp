#include "batch/sweep/sweep_seeds.hpp"

#include <gtest/gtest.h>

#include <unordered_set>

namespace mirvok {
namespace {

// The formula as the documentation states it, written out again here: a
// changed scramble would silently change every published sweep's points.
std::uint64_t documentedMix31(std::uint64_t x) {
    const std::uint64_t m = 0x7FFFFFFF;
    x &= m;
    x ^= x >> 16;
    x = x * 0x2C1B3C6D & m;
    x ^= x >> 12;
    x = x * 0x297A2D39 & m;
    return x ^ (x >> 15);
}

TEST(sweep_seeds, follow_the_documented_formula) {
    for (const std::uint64_t sweep : {0ULL, 1ULL, 2ULL, 12345ULL, 2147483647ULL})
        for (int point = 0; point < 1000; ++point)
            ASSERT_EQ(pointSeed(sweep, point),
                      documentedMix31((documentedMix31(sweep) + point) & 0x7FFFFFFF))
                << sweep << " " << point;
}

TEST(sweep_seeds, are_batch_seeds_no_two_points_of_a_sweep_share) {
    std::unordered_set<std::uint64_t> seeds;
    for (int point = 0; point < 200000; ++point) {
        const std::uint64_t seed = pointSeed(7, point);
        ASSERT_LE(seed, 2147483647u);
        seeds.insert(seed);
    }
    EXPECT_EQ(seeds.size(), 200000u);
    // Sweeps 7 and 8 do not share their points' seeds one place apart.
    EXPECT_FALSE(seeds.contains(pointSeed(8, 0)));
}

}  // namespace
}  // namespace mirvok
