#include "random/random_source.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

namespace mirvok {
namespace {

std::vector<std::int32_t> firstDraws(RandomSource& source, int n) {
    std::vector<std::int32_t> out;
    for (int i = 0; i < n; ++i) out.push_back(source.next());
    return out;
}

TEST(random_source, matches_reference_pcg32_outputs_shifted_to_31_bits) {
    // The reference implementation's demo: seed 42, stream 54.
    const std::uint32_t reference[] = {0xa15c02b7U, 0x7b47f409U, 0xba1d3330U,
                                       0x83d2f293U, 0xbfa4784bU, 0xcbed606eU};
    Pcg31 source(42, 54);
    for (std::uint32_t expected : reference)
        EXPECT_EQ(source.next(), static_cast<std::int32_t>(expected >> 1));
}

TEST(random_source, draws_cover_the_31_bit_range_evenly) {
    Pcg31 source(20261207);
    constexpr int kDraws = 200000;
    double sum = 0.0;
    std::int32_t low = INT32_MAX;
    std::int32_t high = 0;
    for (int i = 0; i < kDraws; ++i) {
        const std::int32_t k = source.next();
        ASSERT_GE(k, 0);
        low = std::min(low, k);
        high = std::max(high, k);
        sum += k;
    }
    EXPECT_LT(low, 1 << 16);
    EXPECT_GT(high, INT32_MAX - (1 << 16));
    // Mean of a uniform on 0 .. 2^31 - 1, within five standard errors.
    const double mean = sum / kDraws;
    const double standardError = 2147483648.0 / std::sqrt(12.0 * kDraws);
    EXPECT_NEAR(mean, 1073741823.5, 5 * standardError);
}

TEST(random_source, seeds_and_iterations_give_reproducible_distinct_sequences) {
    Pcg31 a(7);
    Pcg31 b(7);
    Pcg31 c(8);
    const auto seqA = firstDraws(a, 8);
    EXPECT_EQ(seqA, firstDraws(b, 8));
    EXPECT_NE(seqA, firstDraws(c, 8));

    std::set<std::vector<std::int32_t>> seen;
    for (std::uint64_t seed : {0ULL, 1ULL, 2ULL}) {
        for (std::uint64_t i = 0; i < 50; ++i) {
            Pcg31 first = iterationSource(seed, i);
            Pcg31 again = iterationSource(seed, i);
            const auto seq = firstDraws(first, 4);
            EXPECT_EQ(seq, firstDraws(again, 4));
            seen.insert(seq);
        }
    }
    EXPECT_EQ(seen.size(), 150U);
}

TEST(random_source, fill_gives_the_draws_of_next_in_order) {
    for (BlockKernel kernel : {BlockKernel::Widest, BlockKernel::Baseline}) {
        for (std::size_t n : {0U, 1U, 3U, 4U, 5U, 8U, 64U, 67U}) {
            Pcg31 stepped(5, 8);
            Pcg31 filled(5, 8);
            const std::vector<std::int32_t> expected = firstDraws(stepped, static_cast<int>(n));
            std::vector<std::int32_t> got(n);
            filled.fill(got.data(), n, kernel);
            EXPECT_EQ(got, expected) << "n = " << n;
            EXPECT_EQ(filled.next(), stepped.next()) << "n = " << n;
        }
    }
}

TEST(random_source, discard_skips_exactly_as_many_draws) {
    for (std::uint64_t n : {0ULL, 1ULL, 2ULL, 3ULL, 64ULL, 1000ULL, 12345ULL}) {
        Pcg31 stepped(99, 3);
        Pcg31 jumped(99, 3);
        for (std::uint64_t i = 0; i < n; ++i) stepped.next();
        jumped.discard(n);
        EXPECT_EQ(firstDraws(jumped, 4), firstDraws(stepped, 4)) << "n = " << n;
    }
}

}  // namespace
}  // namespace mirvok
