#include "random/gkm1_squeeze.hpp"

#include <cmath>

#include "base/checked_math.hpp"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mirvok {

Gkm1Constants::Gkm1Constants(double a)
    : a1(a - 1.0),
      c1(checkedDivide(a - checkedDivide(1.0, 6.0 * a), a1)),
      c2(checkedDivide(2.0, a1)),
      c3(c2 + 2.0),
      margin(0x1p-30 * (c2 + 5.0)) {}

double gkm1ExactPass(const Gkm1Constants& c, std::int32_t k1, std::int32_t k2) {
    const double u1 = uniformOfDraw(k1);
    const double u2 = uniformOfDraw(k2);
    // For a > 1, c1 is finite and positive and both uniforms lie in (0, 1]:
    // W, 1/W and both logarithms are finite, so the checks gammaVariate makes
    // here can never fire.
    const double w = c.c1 * u2 / u1;
    const bool accepted =
        c.c2 * u1 - c.c3 + w + 1.0 / w <= 0.0 || c.c2 * std::log(u1) - std::log(w) + w - 1.0 <= 0.0;
    return accepted ? w : 0.0;
}

namespace {

#if defined(__SSE2__)

std::uint64_t rejectedBaseline(const Gkm1Constants& c, const std::int32_t* draws,
                               std::size_t passes) {
    const __m128d q = _mm_set1_pd(kUniformQ);
    const __m128d c1 = _mm_set1_pd(c.c1);
    const __m128d twoC2 = _mm_set1_pd(2.0 * c.c2);
    const __m128d margin = _mm_set1_pd(c.margin);
    const __m128d one = _mm_set1_pd(1.0);
    std::uint64_t rejected = 0;
    std::size_t p = 0;
    for (; p + 2 <= passes; p += 2) {
        // k1, k2 of two passes, reordered to (k1, k1', k2, k2').
        const __m128i pair = _mm_loadu_si128(reinterpret_cast<const __m128i*>(draws + 2 * p));
        const __m128i byDraw = _mm_shuffle_epi32(pair, _MM_SHUFFLE(3, 1, 2, 0));
        const __m128d y = _mm_mul_pd(_mm_cvtepi32_pd(byDraw), q);
        const __m128d x = _mm_mul_pd(c1, _mm_mul_pd(_mm_cvtepi32_pd(_mm_srli_si128(byDraw, 8)), q));
        const __m128d d = _mm_sub_pd(x, y);
        const __m128d z = _mm_max_pd(x, y);
        const __m128d s = _mm_add_pd(_mm_add_pd(x, y), one);
        const __m128d lhs = _mm_mul_pd(_mm_mul_pd(x, d), d);
        const __m128d rhs =
            _mm_mul_pd(z, _mm_add_pd(_mm_mul_pd(_mm_mul_pd(twoC2, x), _mm_sub_pd(one, y)),
                                     _mm_mul_pd(margin, _mm_mul_pd(s, s))));
        rejected |= static_cast<std::uint64_t>(_mm_movemask_pd(_mm_cmpgt_pd(lhs, rhs))) << p;
    }
    for (; p < passes; ++p)
        rejected |=
            static_cast<std::uint64_t>(gkm1SqueezeRejects(c, draws[2 * p], draws[2 * p + 1])) << p;
    return rejected;
}

#else

std::uint64_t rejectedBaseline(const Gkm1Constants& c, const std::int32_t* draws,
                               std::size_t passes) {
    std::uint64_t rejected = 0;
    for (std::size_t p = 0; p < passes; ++p)
        if (gkm1SqueezeRejects(c, draws[2 * p], draws[2 * p + 1])) rejected |= 1ULL << p;
    return rejected;
}

#endif

}  // namespace

std::uint64_t gkm1Undecided(const Gkm1Constants& c, const std::int32_t* draws, std::size_t passes,
                            BlockKernel kernel) {
    const bool wide = kernel == BlockKernel::Widest && passes % 4 == 0 && wideBlocksAvailable();
    const std::uint64_t rejected =
        wide ? gkm1RejectedWide(c, draws, passes) : rejectedBaseline(c, draws, passes);
    const std::uint64_t all = passes >= 64 ? ~0ULL : (1ULL << passes) - 1;
    return all & ~rejected;
}

}  // namespace mirvok
