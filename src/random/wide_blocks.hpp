#pragma once

#include <cstddef>
#include <cstdint>

namespace mirvok {

struct Gkm1Constants;

// The two block loops of the GKM1 sampler (drawing, squeezing) in AVX2, four
// or eight lanes at a time, for processors that have it. Integer work and
// IEEE operations in the same order as the baseline loops, so every lane
// gives the very bits the baseline gives; the tests compare the two.

// Which loops a block uses: the widest this processor runs, or the baseline
// (SSE2 on x86-64) that every processor runs.
enum class BlockKernel { Widest, Baseline };

// True when this processor runs the AVX2 loops (asked once).
bool wideBlocksAvailable();

// n PCG draws (n a multiple of 8) from state with the given increment and
// multiplier, state moved on by n; the caller checks wideBlocksAvailable().
void pcgFillWide(std::uint64_t& state, std::uint64_t increment, std::uint64_t multiplier,
                 std::int32_t* out, std::size_t n);

// Bit p set for each pass p (passes a multiple of 4, at most 64) the squeeze
// rejects; the caller checks wideBlocksAvailable().
std::uint64_t gkm1RejectedWide(const Gkm1Constants& c, const std::int32_t* draws,
                               std::size_t passes);

}  // namespace mirvok
