#pragma once

#include <cstddef>
#include <cstdint>

#include "random/wide_blocks.hpp"

namespace mirvok {

// The one integer source all random variates draw from: uniformly
// distributed integers in 0 .. 2147483647, both ends included.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual std::int32_t next() = 0;
};

// PCG32 (XSH-RR output of a 64-bit linear congruential state, O'Neill 2014),
// its 32-bit output shifted right by one to give 31 bits. Small, fast, with a
// period of 2^64 and independent streams, which lets every batch iteration
// draw from its own sequence derived from the seed and the iteration index.
// next() is defined here so that a generator that knows its source is a
// Pcg31 gets the draw inlined.
class Pcg31 final : public RandomSource {
  public:
    explicit Pcg31(std::uint64_t seed, std::uint64_t stream = 0);

    std::int32_t next() override {
        const std::uint64_t old = state_;
        state_ = old * kMultiplier + increment_;
        return output(old);
    }

    // n draws into out, exactly as n calls of next() give them, with several
    // states advanced side by side: eight AVX2 lanes where the processor has
    // them (and n is a multiple of 8), otherwise four.
    void fill(std::int32_t* out, std::size_t n, BlockKernel kernel = BlockKernel::Widest);

    // Moves on by n draws, as n calls of next() would, in about log2(n)
    // steps: a generator that drew ahead hands back what it did not use.
    void discard(std::uint64_t n);

  private:
    static constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;

    static std::int32_t output(std::uint64_t old) {
        const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
        const auto rot = static_cast<std::uint32_t>(old >> 59U);
        const std::uint32_t out = (xorShifted >> rot) | (xorShifted << ((32U - rot) & 31U));
        return static_cast<std::int32_t>(out >> 1U);
    }
    std::uint64_t state_;
    std::uint64_t increment_;
};

// The source of iteration `iteration` of a batch started with `seed`: the
// same for the same pair, whatever thread runs it.
Pcg31 iterationSource(std::uint64_t seed, std::uint64_t iteration);

// A seed for a batch nobody gave one: nanoseconds of the clock folded into
// 0 .. 2147483647, the range a seed is typed in, so that the seed shown
// after the batch can be given back to repeat it.
std::uint64_t clockSeed();

}  // namespace mirvok
