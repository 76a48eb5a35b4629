#include "model/repeated_refill.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "random/random_source.hpp"

namespace mirvok {
namespace {

double refillStepByStep(double v, double h, long long steps) {
    for (long long i = 0; i < steps; ++i) v = refillOnce(v, h);
    return v;
}

// Volumes and half rates spread over many orders of magnitude, both signs,
// and the awkward places: just below powers of two, at 1, ties (a half rate
// exactly halfway between two doubles of a binade), subnormals.
TEST(repeated_refill, equals_refilling_step_by_step_to_the_last_bit) {
    Pcg31 random(2024);
    auto uniform = [&] { return (random.next() + 0.5) / 2147483648.0; };
    const double specialVolumes[] = {
        0.0,    -0.0,   1.0,  0.5, std::nextafter(0.5, 0.0), std::nextafter(1.0, 0.0),
        0x1p-7, 1e-310, -0.3, 1.7};
    const double specialRates[] = {0.0045, 0.003, 0x1.8p-60, 0x1p-54, 0x1.8p-53,
                                   1e-17,  0.75,  -0.001,    0.0,     4.9e-324};
    long long cases = 0;
    auto check = [&](double v, double h, long long n) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(refillRepeatedly(v, h, n)),
                  std::bit_cast<std::uint64_t>(refillStepByStep(v, h, n)))
            << "v = " << v << ", h = " << h << ", steps = " << n;
        ++cases;
    };
    for (double v : specialVolumes)
        for (double h : specialRates)
            for (long long n : {0LL, 1LL, 2LL, 3LL, 40LL, 255LL, 5000LL}) check(v, h, n);
    for (int i = 0; i < 200000; ++i) {
        const double v = (uniform() < 0.9 ? 1.0 : -1.0) * std::pow(2.0, -12.0 * uniform());
        const double h = (uniform() < 0.95 ? 1.0 : -1.0) * std::pow(10.0, -18.0 * uniform());
        check(v, h, 1 + static_cast<long long>(300 * uniform()));
    }
    EXPECT_GT(cases, 200000);
}

}  // namespace
}  // namespace mirvok
