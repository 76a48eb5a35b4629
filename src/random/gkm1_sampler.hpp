#pragma once

#include <cstddef>
#include <cstdint>

#include "random/gkm1_squeeze.hpp"
#include "random/random_source.hpp"

namespace mirvok {

// GKM1 variates of one shape a > 1 from a Pcg31, the same values from the
// same draws as gammaVariate, and the source left exactly where gammaVariate
// would leave it. At large shapes most passes are rejections (about 39 of
// 40 at a = 2500); the sampler draws passes ahead in blocks, lets the
// squeeze reject most of them with a few multiplications, and evaluates the
// rest in pass order with the exact tests. Draws it took ahead and did not
// use stay for the next variate; when the sampler ends, the source is moved
// on by exactly the draws used.
class Gkm1Sampler {
  public:
    // a must lie in (1, kMaxSamplerShape].
    Gkm1Sampler(Pcg31& source, double a);
    ~Gkm1Sampler();
    Gkm1Sampler(const Gkm1Sampler&) = delete;
    Gkm1Sampler& operator=(const Gkm1Sampler&) = delete;

    // theta * a1 * W; a product too large for a double throws EOverflow
    // after its passes were drawn, as gammaVariate does.
    double variate(double theta);

    // Shapes whose constants and squeeze stay far from overflow.
    static constexpr double kMaxSamplerShape = 1e300;

  private:
    static constexpr std::size_t kPasses = 32;

    void drawBlock();
    void drawBlockOneByOne();
    std::uint64_t drawsThrough(std::size_t pass) const;  // raw draws up to the end of that pass
    double nextAcceptedW();

    Pcg31& source_;
    Pcg31 ahead_;
    Gkm1Constants constants_;
    std::int32_t draws_[2 * kPasses];  // k1, k2 of each pass of the block
    // A block whose draws were all > 0 holds two raw draws per pass; one
    // with a 0 among them records where each pass ends.
    bool regularBlock_ = true;
    std::uint64_t blockStart_ = 0;
    std::uint64_t irregularThrough_[kPasses];
    std::uint64_t undecided_ = 0;   // passes of the block the squeeze let through, bit p for pass p
    std::uint64_t drawsTaken_ = 0;  // raw draws taken ahead so far
    std::uint64_t drawsUsed_ = 0;   // raw draws up to the last pass used
};

}  // namespace mirvok
