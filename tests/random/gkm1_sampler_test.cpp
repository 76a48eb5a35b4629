#include "random/gkm1_sampler.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "random/random_variates.hpp"

namespace mirvok {
namespace {

constexpr double kShapes[] = {1.0000001, 1.01, 1.5, 4.0, 100.0, 2500.0, 1e5, 1e8, 1e12};

// Pass (k1, k2) whose W = c1 U2 / U1 lies near w: where the exact tests
// change their mind, which is where the squeeze has the least room.
void passNear(const Gkm1Constants& c, double w, std::int32_t k1, std::int32_t* out) {
    const double k2 = std::round(w * k1 / c.c1);
    out[0] = k1;
    out[1] = static_cast<std::int32_t>(std::fmin(std::fmax(k2, 1.0), 2147483647.0));
}

// Every pass the squeeze rejects must be rejected by both exact tests, on
// uniform passes and on passes crowded around the acceptance boundary
// (|W - 1| of a few sqrt(c2)); at large shapes it must decide most; and the
// widest loops must decide as the baseline ones.
TEST(gkm1_squeeze, rejects_only_passes_the_exact_tests_reject) {
    Pcg31 random(31337);
    for (double a : kShapes) {
        const Gkm1Constants c(a);
        long long passes = 0;
        long long rejected = 0;
        std::int32_t block[128];
        for (int round = 0; round < 32000; ++round) {
            const bool nearBoundary = round % 2 == 1;
            random.fill(block, 128);
            for (int p = 0; p < 64; ++p) {
                block[2 * p] |= 1;  // draws > 0
                block[2 * p + 1] |= 1;
                if (nearBoundary) {
                    const double spread = (block[2 * p + 1] / 2147483648.0 - 0.5) * 16.0;
                    passNear(c, 1.0 + spread * std::sqrt(c.c2), block[2 * p], block + 2 * p);
                }
            }
            const std::uint64_t undecided = gkm1Undecided(c, block, 64);
            ASSERT_EQ(undecided, gkm1Undecided(c, block, 64, BlockKernel::Baseline));
            for (int p = 0; p < 64; ++p) {
                ++passes;
                if ((undecided >> p) & 1U) continue;
                ++rejected;
                ASSERT_EQ(gkm1ExactPass(c, block[2 * p], block[2 * p + 1]), 0.0)
                    << "a = " << a << ", k1 = " << block[2 * p] << ", k2 = " << block[2 * p + 1];
                ASSERT_TRUE(gkm1SqueezeRejects(c, block[2 * p], block[2 * p + 1]));
            }
        }
        if (a >= 2500.0) {
            EXPECT_GT(rejected, passes * 4 / 10) << "a = " << a;
        }
    }
}

// The multiplicative inverse of an odd number modulo 2^64 (Newton's
// iteration doubles the correct low bits each time).
std::uint64_t inverseMod64(std::uint64_t m) {
    std::uint64_t inverse = m;
    for (int i = 0; i < 6; ++i) inverse *= 2 - m * inverse;
    return inverse;
}

// A source whose draw number `zeroAt` (from 0) is 0: the state 0 gives the
// draw 0, and stepping back from it is stepping forward 2^64 - zeroAt.
Pcg31 sourceWithZeroDraw(std::uint64_t zeroAt) {
    // Pcg31(seed, 0) ends its seeding in state (1 + seed) * m + 1.
    const std::uint64_t m = 6364136223846793005ULL;
    Pcg31 source(0 - inverseMod64(m) - 1);
    source.discard(0 - zeroAt);
    return source;
}

TEST(gkm1_sampler, a_source_can_be_made_to_draw_zero) {
    Pcg31 source = sourceWithZeroDraw(5);
    for (int i = 0; i < 5; ++i) EXPECT_NE(source.next(), 0);
    EXPECT_EQ(source.next(), 0);
}

// The sampler's variates and the source it leaves behind equal the plain
// algorithm's, bit for bit, whatever the shape, however many variates are
// drawn (ending inside a block or on its edge), and with draws of 0.
TEST(gkm1_sampler, equals_the_plain_algorithm_and_leaves_the_source_where_it_would) {
    struct Case {
        double a;
        int variates;
        Pcg31 source;
    };
    std::vector<Case> cases;
    for (double a : kShapes) cases.push_back({a, a > 1e6 ? 20 : 400, Pcg31(99, 7)});
    for (std::uint64_t zeroAt : {0ULL, 1ULL, 40ULL, 63ULL, 64ULL, 150ULL})
        cases.push_back({2500.0, 10, sourceWithZeroDraw(zeroAt)});
    cases.push_back({1.5, 1, Pcg31(3)});
    for (Case& c : cases) {
        Pcg31 plainSource = c.source;
        Pcg31 sampledSource = c.source;
        {
            Gkm1Sampler sampler(sampledSource, c.a);
            for (int i = 0; i < c.variates; ++i) {
                const double plain =
                    gammaVariate(static_cast<RandomSource&>(plainSource), 0.016, c.a);
                ASSERT_EQ(std::bit_cast<std::uint64_t>(sampler.variate(0.016)),
                          std::bit_cast<std::uint64_t>(plain))
                    << "a = " << c.a << ", variate " << i;
            }
        }
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(sampledSource.next(), plainSource.next()) << "a = " << c.a;
    }
}

}  // namespace
}  // namespace mirvok
