#include "trains/gkm1_sampler.hpp"

#include <bit>
#include <cmath>

#include "text/checked_math.hpp"

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
    const bool accepted = c.c2 * u1 - c.c3 + w + 1.0 / w <= 0.0 ||
                          c.c2 * std::log(u1) - std::log(w) + w - 1.0 <= 0.0;
    return accepted ? w : 0.0;
}

Gkm1Sampler::Gkm1Sampler(Pcg31& source, double a)
    : source_(source), ahead_(source), constants_(a) {
    drawBlock();
}

Gkm1Sampler::~Gkm1Sampler() {
    source_.discard(drawsUsed_);
}

std::int32_t Gkm1Sampler::drawAhead() {
    std::int32_t k = ahead_.next();
    ++drawsTaken_;
    while (k == 0) {  // a uniform is never 0: that draw is drawn again
        k = ahead_.next();
        ++drawsTaken_;
    }
    return k;
}

void Gkm1Sampler::drawBlock() {
    for (std::size_t p = 0; p < kPasses; ++p) {
        first_[p] = drawAhead();
        second_[p] = drawAhead();
        drawsThrough_[p] = drawsTaken_;
    }
    bool rejected[kPasses];
    for (std::size_t p = 0; p < kPasses; ++p)
        rejected[p] = gkm1SqueezeRejects(constants_, first_[p], second_[p]);
    std::uint64_t undecided = 0;
    for (std::size_t p = 0; p < kPasses; ++p)
        undecided |= static_cast<std::uint64_t>(!rejected[p]) << p;
    undecided_ = undecided;
}

double Gkm1Sampler::nextAcceptedW() {
    for (;;) {
        while (undecided_ == 0) {
            drawsUsed_ = drawsThrough_[kPasses - 1];
            drawBlock();
        }
        const int p = std::countr_zero(undecided_);
        undecided_ &= undecided_ - 1;
        const double w = gkm1ExactPass(constants_, first_[p], second_[p]);
        if (w != 0.0) {
            drawsUsed_ = drawsThrough_[p];
            return w;
        }
    }
}

double Gkm1Sampler::variate(double theta) {
    const double w = nextAcceptedW();
    return checkedFinite(checkedFinite(theta * constants_.a1) * w);
}

}  // namespace mirvok
