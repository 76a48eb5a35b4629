#include "random/gkm1_sampler.hpp"

#include <bit>

#include "base/checked_math.hpp"

namespace mirvok {

Gkm1Sampler::Gkm1Sampler(Pcg31& source, double a) : source_(source), ahead_(source), constants_(a) {
    drawBlock();
}

Gkm1Sampler::~Gkm1Sampler() {
    source_.discard(drawsUsed_);
}

namespace {

// Draws lie in 0 .. 2^31 - 1, so k - 1 is negative only for k = 0.
bool anyZero(const std::int32_t* draws, std::size_t n) {
    std::int32_t signs = 0;
    for (std::size_t i = 0; i < n; ++i) signs |= draws[i] - 1;
    return signs < 0;
}

}  // namespace

void Gkm1Sampler::drawBlock() {
    const Pcg31 start = ahead_;
    ahead_.fill(draws_, 2 * kPasses);
    blockStart_ = drawsTaken_;
    regularBlock_ = !anyZero(draws_, 2 * kPasses);
    if (regularBlock_) {
        drawsTaken_ += 2 * kPasses;
    } else {
        ahead_ = start;
        drawBlockOneByOne();
    }
    undecided_ = gkm1Undecided(constants_, draws_, kPasses);
}

std::uint64_t Gkm1Sampler::drawsThrough(std::size_t pass) const {
    return regularBlock_ ? blockStart_ + 2 * (pass + 1) : irregularThrough_[pass];
}

// The rare block with a draw of 0, which a uniform never is: that draw is
// drawn again, so the passes shift against the raw draws.
void Gkm1Sampler::drawBlockOneByOne() {
    for (std::size_t i = 0; i < 2 * kPasses; ++i) {
        std::int32_t k = 0;
        while (k == 0) {
            k = ahead_.next();
            ++drawsTaken_;
        }
        draws_[i] = k;
        if (i % 2 == 1) irregularThrough_[i / 2] = drawsTaken_;
    }
}

double Gkm1Sampler::nextAcceptedW() {
    for (;;) {
        while (undecided_ == 0) {
            drawsUsed_ = drawsThrough(kPasses - 1);
            drawBlock();
        }
        const int p = std::countr_zero(undecided_);
        undecided_ &= undecided_ - 1;
        const double w = gkm1ExactPass(constants_, draws_[2 * p], draws_[2 * p + 1]);
        if (w != 0.0) {
            drawsUsed_ = drawsThrough(static_cast<std::size_t>(p));
            return w;
        }
    }
}

double Gkm1Sampler::variate(double theta) {
    const double w = nextAcceptedW();
    return checkedFinite(checkedFinite(theta * constants_.a1) * w);
}

}  // namespace mirvok
