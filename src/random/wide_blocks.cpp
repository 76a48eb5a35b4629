#include "random/wide_blocks.hpp"

#include "random/gkm1_squeeze.hpp"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define MIRVOK_WIDE_BLOCKS 1
#endif

namespace mirvok {

#if defined(MIRVOK_WIDE_BLOCKS)

namespace {

// 64-bit products from 32-bit ones: a*m = al*ml + ((ah*ml + al*mh) << 32)
// modulo 2^64, lane by lane; mLow and mHigh hold the halves of m.
[[gnu::target("avx2")]] inline __m256i multiply64(__m256i a, __m256i mLow, __m256i mHigh) {
    const __m256i low = _mm256_mul_epu32(a, mLow);
    const __m256i cross = _mm256_add_epi64(_mm256_mul_epu32(_mm256_srli_epi64(a, 32), mLow),
                                           _mm256_mul_epu32(a, mHigh));
    return _mm256_add_epi64(low, _mm256_slli_epi64(cross, 32));
}

// Pcg31's output of four states, in the low 32 bits of each lane.
[[gnu::target("avx2")]] inline __m256i pcgOutput(__m256i old) {
    const __m256i low32 = _mm256_set1_epi64x(0xFFFFFFFF);
    const __m256i xorShifted = _mm256_and_si256(
        _mm256_srli_epi64(_mm256_xor_si256(_mm256_srli_epi64(old, 18), old), 27), low32);
    const __m256i rot = _mm256_srli_epi64(old, 59);
    const __m256i leftCount =
        _mm256_and_si256(_mm256_sub_epi64(_mm256_set1_epi64x(32), rot), _mm256_set1_epi64x(31));
    const __m256i rotated =
        _mm256_and_si256(_mm256_or_si256(_mm256_srlv_epi64(xorShifted, rot),
                                         _mm256_sllv_epi64(xorShifted, leftCount)),
                         low32);
    return _mm256_srli_epi64(rotated, 1);
}

std::uint64_t power(std::uint64_t m, int n) {
    std::uint64_t p = 1;
    for (int i = 0; i < n; ++i) p *= m;
    return p;
}

}  // namespace

bool wideBlocksAvailable() {
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}

[[gnu::target("avx2")]] void pcgFillWide(std::uint64_t& state, std::uint64_t increment,
                                         std::uint64_t multiplier, std::int32_t* out,
                                         std::size_t n) {
    // Lanes hold the states of eight consecutive draws; eight steps of
    // s -> m*s + c are s -> m^8*s + c*(m^7 + ... + m + 1).
    std::uint64_t lanes[8];
    lanes[0] = state;
    std::uint64_t sum = 1;
    for (int i = 1; i < 8; ++i) {
        lanes[i] = lanes[i - 1] * multiplier + increment;
        sum += power(multiplier, i);
    }
    const std::uint64_t m8 = power(multiplier, 8);
    const std::uint64_t c8 = increment * sum;
    const __m256i mLow = _mm256_set1_epi64x(static_cast<long long>(m8 & 0xFFFFFFFFU));
    const __m256i mHigh = _mm256_set1_epi64x(static_cast<long long>(m8 >> 32));
    const __m256i add = _mm256_set1_epi64x(static_cast<long long>(c8));
    __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes));
    __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes + 4));
    const __m256i pack = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    for (std::size_t i = 0; i < n; i += 8) {
        const __m128i a =
            _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(pcgOutput(first), pack));
        const __m128i b =
            _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(pcgOutput(second), pack));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 4), b);
        first = _mm256_add_epi64(multiply64(first, mLow, mHigh), add);
        second = _mm256_add_epi64(multiply64(second, mLow, mHigh), add);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes), first);
    state = lanes[0];
}

[[gnu::target("avx2")]] std::uint64_t gkm1RejectedWide(const Gkm1Constants& c,
                                                       const std::int32_t* draws,
                                                       std::size_t passes) {
    const __m256d q = _mm256_set1_pd(kUniformQ);
    const __m256d c1 = _mm256_set1_pd(c.c1);
    const __m256d twoC2 = _mm256_set1_pd(2.0 * c.c2);
    const __m256d margin = _mm256_set1_pd(c.margin);
    const __m256d one = _mm256_set1_pd(1.0);
    // k1, k2 of four passes, reordered to (k1 x4, k2 x4).
    const __m256i byDraw = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    std::uint64_t rejected = 0;
    for (std::size_t p = 0; p < passes; p += 4) {
        const __m256i four = _mm256_permutevar8x32_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(draws + 2 * p)), byDraw);
        const __m256d y = _mm256_mul_pd(_mm256_cvtepi32_pd(_mm256_castsi256_si128(four)), q);
        const __m256d x = _mm256_mul_pd(
            c1, _mm256_mul_pd(_mm256_cvtepi32_pd(_mm256_extracti128_si256(four, 1)), q));
        const __m256d d = _mm256_sub_pd(x, y);
        const __m256d z = _mm256_max_pd(x, y);
        const __m256d s = _mm256_add_pd(_mm256_add_pd(x, y), one);
        const __m256d lhs = _mm256_mul_pd(_mm256_mul_pd(x, d), d);
        const __m256d rhs = _mm256_mul_pd(
            z, _mm256_add_pd(_mm256_mul_pd(_mm256_mul_pd(twoC2, x), _mm256_sub_pd(one, y)),
                             _mm256_mul_pd(margin, _mm256_mul_pd(s, s))));
        rejected |=
            static_cast<std::uint64_t>(_mm256_movemask_pd(_mm256_cmp_pd(lhs, rhs, _CMP_GT_OQ)))
            << p;
    }
    return rejected;
}

#else

bool wideBlocksAvailable() {
    return false;
}

void pcgFillWide(std::uint64_t&, std::uint64_t, std::uint64_t, std::int32_t*, std::size_t) {}

std::uint64_t gkm1RejectedWide(const Gkm1Constants&, const std::int32_t*, std::size_t) {
    return 0;
}

#endif

}  // namespace mirvok
