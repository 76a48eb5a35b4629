#pragma once

#include <cstdint>

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
class Pcg31 final : public RandomSource {
  public:
    explicit Pcg31(std::uint64_t seed, std::uint64_t stream = 0);
    std::int32_t next() override;

  private:
    std::uint64_t state_;
    std::uint64_t increment_;
};

// The source of iteration `iteration` of a batch started with `seed`: the
// same for the same pair, whatever thread runs it.
Pcg31 iterationSource(std::uint64_t seed, std::uint64_t iteration);

}  // namespace mirvok
