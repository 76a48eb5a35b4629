#include "random/random_variates.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "base/errors.hpp"
#include "support/scripted_source.hpp"

namespace mirvok {
namespace {

using testing::ConstantSource;
using testing::ScriptedSource;

constexpr std::int32_t kMax = 2147483647;
constexpr std::int32_t kHalf = 1073741824;

double uniformOf(std::int32_t k) {
    return static_cast<double>(static_cast<long double>(k) * kUniformQ);
}

TEST(random_variates, uniform_redraws_zero_and_reaches_exactly_one) {
    ScriptedSource zeros({0, 0, 5});
    EXPECT_EQ(uniformVariate(zeros), uniformOf(5));
    EXPECT_EQ(zeros.draws(), 3U);

    ScriptedSource top({kMax});
    EXPECT_EQ(uniformVariate(top), 1.0);

    ScriptedSource bottom({1});
    EXPECT_EQ(uniformVariate(bottom), kUniformQ);
    EXPECT_GT(kUniformQ, 0.0);
}

TEST(random_variates, random_int_draws_once_except_for_zero) {
    struct Case {
        int n;
        std::int32_t draw;
        int expected;
        std::size_t draws;
    };
    const Case cases[] = {{0, 9, 0, 0},  {2, 7, 1, 1},     {2, 8, 0, 1},
                          {-3, 7, 1, 1}, {10, kMax, 7, 1}, {1, kMax, 0, 1}};
    for (const Case& c : cases) {
        ScriptedSource source({c.draw});
        EXPECT_EQ(randomInt(source, c.n), c.expected) << "n = " << c.n;
        EXPECT_EQ(source.draws(), c.draws) << "n = " << c.n;
    }
}

TEST(random_variates, shape_one_is_the_exponential_and_u_of_one_gives_zero) {
    ScriptedSource a({kHalf});
    ScriptedSource b({kHalf});
    const double expected = -3.0 * std::log(uniformOf(kHalf));
    EXPECT_DOUBLE_EQ(exponentialVariate(a, 3.0), expected);
    EXPECT_DOUBLE_EQ(gammaVariate(b, 3.0, 1.0), expected);

    ScriptedSource one({kMax});
    EXPECT_EQ(gammaVariate(one, 3.0, 1.0), 0.0);
}

TEST(random_variates, gs_starts_afresh_when_u_is_one) {
    // U = 1 gives P = b, so b - P = 0: only U is drawn, then a new pass
    // accepts with U = V = 1/2.
    const double a = 0.5;
    ScriptedSource source({kMax, kHalf, kHalf});
    const double b = 1.0 + a / std::exp(1.0);
    const double x = std::pow(b * uniformOf(kHalf), 1.0 / a);
    EXPECT_DOUBLE_EQ(gammaVariateBelowOne(source, 2.0, a), 2.0 * x);
    EXPECT_EQ(source.draws(), 3U);
}

TEST(random_variates, gs_power_overflow_is_reported_not_returned) {
    // P > 1 and a tiny W: W^(1/(a - 1)) with a near 1 is far beyond a double.
    ScriptedSource source({2147000000, 1});
    EXPECT_THROW(gammaVariateBelowOne(source, 1.0, 0.999), EOverflow);
}

TEST(random_variates, gkm1_draws_u1_before_u2) {
    // With U1 = 1/2, U2 = 1/4 the first test accepts W = c1/2; the other
    // order would accept W = 2 c1 through the second test.
    const double a = 4.0;
    const double c1 = (a - 1.0 / (6.0 * a)) / (a - 1.0);
    ScriptedSource source({kHalf, kHalf / 2});
    EXPECT_DOUBLE_EQ(gammaVariateAboveOne(source, 2.0, a), 2.0 * (a - 1.0) * c1 / 2.0);
    EXPECT_EQ(source.draws(), 2U);
}

TEST(random_variates, invalid_shapes_and_overflowing_scales_throw_math_errors) {
    ConstantSource source(kHalf);
    EXPECT_THROW(gammaVariate(source, 1.0, 0.0), EZeroDivide);
    EXPECT_THROW(gammaVariate(source, 1.0, std::nan("")), EInvalidOp);
    EXPECT_THROW(gammaVariate(source, 1e308, 4.0), EOverflow);
    ConstantSource tiny(1);
    EXPECT_THROW(exponentialVariate(tiny, 1e308), EOverflow);
}

// Sample mean and variance against theta * a and theta^2 * a, within five
// standard errors of each estimate for the sample size.
TEST(random_variates, gamma_sample_moments_match_shape_and_scale) {
    constexpr int kSamples = 100000;
    constexpr double theta = 2.0;
    for (double a : {0.3, 0.7, 1.0, 1.5, 4.0, 100.0, 2500.0}) {
        Pcg31 source(12345);
        double sum = 0.0;
        double sumSq = 0.0;
        for (int i = 0; i < kSamples; ++i) {
            const double x = gammaVariate(source, theta, a) / theta;
            ASSERT_GE(x, 0.0);
            sum += x;
            sumSq += x * x;
        }
        const double mean = sum / kSamples;
        const double variance = (sumSq - kSamples * mean * mean) / (kSamples - 1);
        // Standard gamma: variance a, fourth central moment 3a^2 + 6a.
        const double meanError = std::sqrt(a / kSamples);
        const double varianceError = std::sqrt((2.0 * a * a + 6.0 * a) / kSamples);
        EXPECT_NEAR(mean, a, 5 * meanError) << "a = " << a;
        EXPECT_NEAR(variance, a, 5 * varianceError) << "a = " << a;
    }
}

}  // namespace
}  // namespace mirvok
