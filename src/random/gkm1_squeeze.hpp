#pragma once

#include <cstddef>
#include <cstdint>

#include "random/random_variates.hpp"
#include "random/wide_blocks.hpp"

namespace mirvok {

// The constants of GKM1 for one shape a > 1, computed as gammaVariate
// computes them, and the two tests of one pass on the uniforms it drew.
struct Gkm1Constants {
    double a1;  // a - 1
    double c1;  // (a - 1/(6a)) / a1
    double c2;  // 2 / a1
    double c3;  // c2 + 2
    // 2^-30 (c2 + 5): the squeeze's margin, explained below.
    double margin;

    // Refuses (EMathError) what gammaVariate refuses for the same shape.
    explicit Gkm1Constants(double a);
};

// W of the pass (U1, U2) = (uniform of k1, uniform of k2) when GKM1 accepts
// it, 0 when it rejects it: the first test, then the logarithmic one, each
// evaluated exactly as gammaVariate evaluates it.
double gkm1ExactPass(const Gkm1Constants& c, std::int32_t k1, std::int32_t k2);

// True only for passes that both tests of gkm1ExactPass reject. It needs
// neither the extended-precision uniforms, nor a division, nor a logarithm;
// a pass it lets through is decided by gkm1ExactPass, so no decision can
// differ from the plain algorithm's.
//
// Why a pass it rejects is rejected by both tests. Write y = U1, x = c1*U2
// as a double, w = x/y as a double, and
//   Q = c2*y - c3 + w + 1/w            (first test: accept when Q <= 0)
//   T = c2*ln y - ln w + w - 1         (second test: accept when T <= 0).
// 1. Two bounds of the logarithm, both from ln t <= t - 1 for t > 0:
//    ln y >= 1 - 1/y (take t = 1/y), and, for w > 0,
//    w - 1 - ln w >= (w - 1)^2 / (2 max(w, 1)): for w >= 1 it is the
//    integral from 1 to w of (t - 1)/t dt >= (1/w) * integral of (t - 1) dt;
//    for w < 1 the integral from w to 1 of (1 - t)/t dt >= integral of
//    (1 - t) dt. With c2 > 0:
//        T >= L = (w - 1)^2 / (2 max(w, 1)) - c2 (1/y - 1).
//    And Q - T = c2 (y - 1 - ln y) + (1/w - 1 + ln w) + (c2 + 2 - c3), whose
//    first two terms are >= 0, so Q >= T - 2^-53 c3 (c3 = c2 + 2 rounded).
// 2. The computed Q and T (double arithmetic, the library's log, correct to
//    well below 2^-45 relative) differ from the real ones by less than
//    2^-44 B, B = c2/y + c2 + 2w + 2/w + 5: each is a sum of four terms of
//    absolute value at most c2/y (as |ln y| <= 1/y), c2 + 3, w + 1/w
//    (as |ln w| <= max(w, 1/w)), w and 1, each rounded a few times. So
//    L > 2^-40 B makes both computed values positive: both tests reject.
// 3. Multiplying L > 2^-40 B by 2xyz, z = max(x, y), and replacing w by
//    x/y (they differ by one rounding; h(w) = (w - 1)^2 / (2 max(w, 1)) has
//    slope at most 1, so this costs far less than the margin), it suffices
//    that
//        x (x - y)^2 > 2 c2 x z (1 - y) + 2^-38 z (c2 + 5) (x + y + 1)^2,
//    because 2xyz B = 2z (c2 x + c2 xy + 2x^2 + 2y^2 + 5xy) and each of
//    these terms is covered by its own term of (c2 + 5)(x + y + 1)^2.
// 4. Below, that inequality is evaluated with uniforms rounded once from
//    k*q instead of through the extended product (relative difference below
//    2^-51) and in double arithmetic. Every term on either side is at most
//    M = z (c2 + 5) (x + y + 1)^2 (x (x - y)^2 <= M, 2 c2 x z <= M/2 since
//    4x <= (x + 1)^2), so all those roundings together move the two sides
//    by less than 2^-44 M, while the margin used here is 2^-30 M: a pass it
//    rejects satisfies the inequality of step 3 with room to spare.
// All quantities stay far from overflow and underflow for 1 < a < 1e300
// (y >= 2^-31, x <= c1 < 2^53); a left side that underflows only lets the
// pass through.
inline bool gkm1SqueezeRejects(const Gkm1Constants& c, std::int32_t k1, std::int32_t k2) {
    const double y = static_cast<double>(k1) * kUniformQ;
    const double x = c.c1 * (static_cast<double>(k2) * kUniformQ);
    const double d = x - y;
    const double z = x > y ? x : y;
    const double s = x + y + 1.0;
    const double lhs = x * d * d;
    const double rhs = z * (2.0 * c.c2 * x * (1.0 - y) + c.margin * (s * s));
    return lhs > rhs;
}

// The squeeze over a block of passes, draws holding k1, k2 of pass 0, then
// of pass 1, and so on (passes <= 64, every draw > 0): bit p of the result
// is set when pass p is left to gkm1ExactPass. The same arithmetic as
// gkm1SqueezeRejects, four passes at a time with AVX2 (when passes is a
// multiple of 4), two with SSE2.
std::uint64_t gkm1Undecided(const Gkm1Constants& c, const std::int32_t* draws, std::size_t passes,
                            BlockKernel kernel = BlockKernel::Widest);

}  // namespace mirvok
