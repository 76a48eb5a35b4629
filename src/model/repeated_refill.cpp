#include "model/repeated_refill.hpp"

#include <bit>
#include <cmath>
#include <cstdint>

namespace mirvok {
namespace {

// Why a run of refills can be jumped over. Let v lie in [2^e, 2^(e+1)) with
// 2^(e+1) <= 1, and u = 2^(e-52), the spacing of the doubles there. v is a
// multiple of u: v = V u with 2^52 <= V < 2^53. With h > 0 and t = h/u
// (exact: a scaling by a power of two), the sum v + h = (V + t) u is
// rounded to the nearest multiple of u as long as V + t < 2^53, that is to
// (V + D) u with D the integer nearest to t, unless t lies exactly halfway
// between two integers (then the tie goes to the even multiple, which
// depends on V: those runs take one step at a time). The result is at most
// 2^(e+1) <= 1, so the cap never applies. Step j therefore adds exactly D u
// while V + jD + t < 2^53, i.e. (for integers, t = T + f with T = floor(t),
// 0 <= f < 1) while jD <= 2^53 - 1 - V - T. Everything else (the last steps
// below the next power of two, volumes at or below 0 or at 1, tiny ones,
// rates at or below 0) goes one exact step at a time, except that a volume
// of exactly 1 refilled with h >= 0 stays 1.

constexpr double kTwo52 = 4503599627370496.0;          // 2^52
constexpr std::int64_t kGridTop = 9007199254740992LL;  // 2^53
constexpr double kSmallestJumped = 0x1p-900;           // far above the subnormals

// For v in [2^e, 2^(e+1)), v normal: 2^(52 - e), which turns v and h into
// V and t exactly, and its inverse u.
struct Grid {
    double scale;
    double spacing;
};

Grid gridOf(double v) {
    const std::uint64_t exponent = std::bit_cast<std::uint64_t>(v) >> 52;
    return {std::bit_cast<double>((2098 - exponent) << 52),
            std::bit_cast<double>((exponent - 52) << 52)};
}

// Steps that can be jumped from v with half rate h, at most `wanted`, and
// the volume after them; 0 when the next step must be taken exactly.
long long jump(double& v, double h, long long wanted) {
    if (!(v >= kSmallestJumped && v < 1.0 && h > 0.0)) return 0;
    const Grid grid = gridOf(v);
    const double t = h * grid.scale;
    if (!(t < kTwo52)) return 0;
    const auto T = static_cast<std::int64_t>(t);  // floor: t > 0
    const double frac = t - static_cast<double>(T);
    if (frac == 0.5) return 0;
    const std::int64_t D = frac > 0.5 ? T + 1 : T;
    if (D == 0) return wanted;  // every sum rounds back to v
    const auto V = static_cast<std::int64_t>(v * grid.scale);
    const std::int64_t room = kGridTop - 1 - V - T;
    if (room < 0) return 0;
    // (wanted - 1) * D <= room, tested in doubles: below 2^53 the product
    // is exact, and at or above it, it is far beyond room (< 2^52).
    long long steps = wanted;
    if (static_cast<double>(wanted - 1) * static_cast<double>(D) > static_cast<double>(room))
        steps = room / D + 1;
    v = static_cast<double>(V + steps * D) * grid.spacing;
    return steps;
}

}  // namespace

double refillRepeatedly(double volume, double halfRate, long long steps) {
    double v = volume;
    while (steps > 0) {
        if (v == 1.0 && halfRate >= 0.0) return 1.0;
        const long long jumped = jump(v, halfRate, steps);
        if (jumped > 0) {
            steps -= jumped;
            continue;
        }
        v = refillOnce(v, halfRate);
        --steps;
    }
    return v;
}

}  // namespace mirvok
