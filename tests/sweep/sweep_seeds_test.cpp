#include "sweep/sweep_seeds.hpp"

#include <gtest/gtest.h>

#include <unordered_set>

namespace mirvok {
namespace {

// Seeds of published sweeps: a changed scramble would silently change every
// sweep's points.
TEST(sweep_seeds, stay_as_published) {
    const struct {
        std::uint64_t sweep;
        int point;
        std::uint64_t seed;
    } pinned[] = {{0, 1, 1832211973},
                  {1, 0, 456211981},
                  {12345, 7, 66773864},
                  {2147483647, 999, 113952272},
                  {7, 199999, 1745042350}};
    for (const auto& p : pinned) EXPECT_EQ(pointSeed(p.sweep, p.point), p.seed) << p.sweep;
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
